#pragma once
// The base of every window built from a layout: one C++ object per child window, reached
// from its window procedure through the pointer that CreateWindowEx hands to WM_NCCREATE.
// Each window carries its layout name as the window property "TarnwickName" (a global
// atom, so that another process can read it) and its caption as its window text.
//
// Painting is double-buffered: WM_ERASEBKGND does nothing, WM_PAINT draws into an
// off-screen bitmap that is copied in one BitBlt. Controls without a surface of their own
// (labels, the empty image, the corners of rounded buttons) are transparent: they paint
// their parent's background under themselves, which includes the parent's gradient
// backgrounds (backdrops) lying beneath them.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/form_view.h"
#include "ui/layout.h"

namespace tarnwick::ui {

extern const char kNamePropertyName[];  // "TarnwickName"

class Control {
 public:
  Control(const ControlSpec& entry, Control* parent, const FontSpec& font);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // Makes the child window inside the parent's window (the form makes its own).
  virtual void CreateWindowIn(HWND parentWindow);

  HWND Handle() const { return window_; }
  const std::string& Name() const { return name_; }
  const std::string& Kind() const { return kind_; }
  Control* Parent() const { return parent_; }
  const std::vector<Control*>& Children() const { return children_; }
  const FontSpec& Font() const { return font_; }
  HFONT FontHandle() const;

  // Position and size in layout pixels (96 DPI).
  virtual Rect Bounds() const { return bounds_; }
  void SetBounds(const Rect& bounds);
  void SetLeft(int left);
  const std::string& Align() const { return align_; }

  virtual void SetText(const Bytes& text);
  Bytes Text() const;
  void SetVisible(bool visible);
  bool Visible() const { return visible_; }

  void SetOnClick(EventHandler handler) { onClick_ = std::move(handler); }
  // Raises OnClick, as a click of the mouse does.
  void Click();

  // What this control shows behind its children, `area` in its client coordinates: its
  // surface, then the backdrops among its children.
  void PaintBackground(HDC dc, const RECT& area);
  // Gradient backgrounds lie at the bottom of their parent and are part of its background.
  virtual bool IsBackdrop() const { return false; }

 protected:
  // The window procedure of this control; the static one catches every exception.
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Paints the whole control into the paint buffer; `dirty` is what must be right.
  virtual void Paint(HDC dc, const RECT& client, const RECT& dirty);
  // Its own surface: a solid colour where the layout gives one, else transparent.
  virtual void PaintSurface(HDC dc, const RECT& area);
  void PaintParentBackground(HDC dc, const RECT& area);
  // Its rectangle in the parent's client area, in device pixels.
  virtual RECT DeviceRect() const;
  void Place();
  // Registers one of our window classes (once); its procedure is Control::Procedure.
  static const char* EnsureWindowClass(const char* className, HICON icon);
  void MakeWindow(const char* className, DWORD style, DWORD exStyle, HWND parentWindow, const RECT& r);
  // Arranges children aligned to an edge of this control (align=top|bottom|left|right|client).
  void RealignChildren();

  HWND window_ = nullptr;
  Rect bounds_;
  std::optional<Colour> colour_;
  bool visible_ = true;
  HCURSOR cursor_ = nullptr;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Forget();

  std::string name_;
  std::string kind_;
  std::string align_;
  Control* parent_;
  std::vector<Control*> children_;
  FontSpec font_;
  EventHandler onClick_;
  ATOM nameAtom_ = 0;
};

// The layout's text for a bad property value, naming the line.
[[noreturn]] void FailProperty(const ControlSpec& entry, const std::string& key);
// Colours given as "C1" or "C1,C2" (first, second; the second defaults to the first).
std::vector<Colour> ColourList(const ControlSpec& entry, const std::string& key);

}  // namespace tarnwick::ui
