// The image control and the canvas over its picture. The canvas works in layout pixels
// and scales every figure, pen width and font height to the picture's device pixels.
#include <algorithm>
#include <cstdint>

#include "ui/controls_win.h"
#include "ui/dpi_win.h"
#include "ui/fonts_win.h"
#include "util/exceptions.h"

namespace tarnwick::ui {
namespace {
// The canvas's font face when the drawing code names none.
const char kDefaultCanvasFace[] = "Tahoma";

RECT DeviceRectOf(const Rect& r) {
  return RECT{Scale(r.left), Scale(r.top), Scale(r.left + r.width), Scale(r.top + r.height)};
}
}  // namespace

class ImageCanvas : public Canvas {
 public:
  explicit ImageCanvas(Image& image) : image_(image) {
    originalBitmap_ = SelectObject(dc_.Get(), image_.picture_.Get());
    originalPen_ = GetCurrentObject(dc_.Get(), OBJ_PEN);
    originalFont_ = GetCurrentObject(dc_.Get(), OBJ_FONT);
    SetBkMode(dc_.Get(), TRANSPARENT);
  }
  ~ImageCanvas() override {
    SelectObject(dc_.Get(), originalFont_);
    SelectObject(dc_.Get(), originalPen_);
    SelectObject(dc_.Get(), originalBitmap_);
    if (image_.Handle()) InvalidateRect(image_.Handle(), nullptr, FALSE);
  }

  Size ClientSize() override { return Size{image_.Bounds().width, image_.Bounds().height}; }

  void FillRect(Colour brush, const Rect& r) override {
    RECT device = DeviceRectOf(r);
    FillSolid(dc_.Get(), device, brush);
  }

  void SetPen(Colour colour, int width) override {
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, Scale(width), ToColorRef(colour)));
    SelectObject(dc_.Get(), pen.Get());
    pen_ = std::move(pen);  // the previous pen is no longer selected when it goes
    penWidth_ = width;
  }
  int PenWidth() override { return penWidth_; }

  void MoveTo(int x, int y) override { MoveToEx(dc_.Get(), Scale(x), Scale(y), nullptr); }
  void LineTo(int x, int y) override { ::LineTo(dc_.Get(), Scale(x), Scale(y)); }

  void SetFont(int height, Colour colour, bool bold) override {
    SelectObject(dc_.Get(), CellHeightFont(kDefaultCanvasFace, Scale(height), bold));
    SetTextColor(dc_.Get(), ToColorRef(colour));
  }

  Size TextExtent(const Bytes& text) override {
    SIZE size{};
    GetTextExtentPoint32A(dc_.Get(), text.data(), static_cast<int>(text.size()), &size);
    return Size{Unscale(size.cx), Unscale(size.cy)};
  }

  void TextOut(int x, int y, const Bytes& text) override {
    ::TextOutA(dc_.Get(), Scale(x), Scale(y), text.data(), static_cast<int>(text.size()));
  }

 private:
  Image& image_;
  MemoryDC dc_;
  GdiObject<HPEN> pen_;
  int penWidth_ = 1;
  HGDIOBJ originalBitmap_ = nullptr, originalPen_ = nullptr, originalFont_ = nullptr;
};

std::unique_ptr<Canvas> Image::OpenCanvas() {
  if (!picture_) {
    RECT r = DeviceRect();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = r.right - r.left;
    info.bmiHeader.biHeight = -(r.bottom - r.top);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    picture_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!picture_) throw Exception("Cannot make the picture of " + Name());
    // A new picture is white, as the form library's bitmaps are.
    std::fill_n(static_cast<uint32_t*>(bits), static_cast<size_t>(r.right - r.left) * (r.bottom - r.top), 0xFFFFFFu);
  }
  return std::make_unique<ImageCanvas>(*this);
}

void Image::Paint(HDC dc, const RECT& client, const RECT& dirty) {
  if (!picture_) {
    PaintParentBackground(dc, dirty);
    return;
  }
  MemoryDC source;
  Selection picture(source.Get(), picture_.Get());
  BitBlt(dc, 0, 0, client.right, client.bottom, source.Get(), 0, 0, SRCCOPY);
}

}  // namespace tarnwick::ui
