#pragma once
// Small owners for GDI objects and device contexts, so that no paint path has to remember
// a DeleteObject, a ReleaseDC or to put the old object back.
#include <windows.h>

#include "platform/form_view.h"

namespace tarnwick::ui {

inline COLORREF ToColorRef(Colour c) { return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

// Owns one pen, brush, font, bitmap or region.
template <typename Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {}
  ~GdiObject() { Reset(); }
  GdiObject(GdiObject&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = other.handle_;
      other.handle_ = nullptr;
    }
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset(Handle handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

// Selects an object into a DC for the length of a scope.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~Selection() { SelectObject(dc_, old_); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// The screen's DC, for measuring text.
class ScreenDC {
 public:
  ScreenDC() : dc_(GetDC(nullptr)) {}
  ~ScreenDC() {
    if (dc_) ReleaseDC(nullptr, dc_);
  }
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// A memory DC compatible with the screen.
class MemoryDC {
 public:
  MemoryDC() : dc_(CreateCompatibleDC(nullptr)) {}
  ~MemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// Moves the DC's origin for the length of a scope, so that a parent can paint its own
// background into a child's buffer in its own coordinates.
class OriginShift {
 public:
  OriginShift(HDC dc, int dx, int dy) : dc_(dc) { OffsetViewportOrgEx(dc_, dx, dy, &old_); }
  ~OriginShift() { SetViewportOrgEx(dc_, old_.x, old_.y, nullptr); }
  OriginShift(const OriginShift&) = delete;
  OriginShift& operator=(const OriginShift&) = delete;

 private:
  HDC dc_;
  POINT old_{};
};

// WM_PAINT without flicker: everything is drawn into an off-screen bitmap of the client
// size, which the destructor copies to the window in one BitBlt.
class BufferedPaint {
 public:
  explicit BufferedPaint(HWND window);
  ~BufferedPaint();
  BufferedPaint(const BufferedPaint&) = delete;
  BufferedPaint& operator=(const BufferedPaint&) = delete;

  HDC Dc() const { return memory_.Get(); }
  const RECT& Client() const { return client_; }
  const RECT& Dirty() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC target_;
  RECT client_{};
  MemoryDC memory_;
  GdiObject<HBITMAP> bitmap_;
  HGDIOBJ oldBitmap_ = nullptr;
};

void FillSolid(HDC dc, const RECT& r, Colour colour);

}  // namespace tarnwick::ui
