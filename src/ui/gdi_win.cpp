#include "ui/gdi_win.h"

namespace tarnwick::ui {

BufferedPaint::BufferedPaint(HWND window) : window_(window), target_(BeginPaint(window, &paint_)) {
  GetClientRect(window_, &client_);
  int width = client_.right > 0 ? client_.right : 1;
  int height = client_.bottom > 0 ? client_.bottom : 1;
  bitmap_.Reset(CreateCompatibleBitmap(target_, width, height));
  oldBitmap_ = SelectObject(memory_.Get(), bitmap_.Get());
}

BufferedPaint::~BufferedPaint() {
  const RECT& r = paint_.rcPaint;
  BitBlt(target_, r.left, r.top, r.right - r.left, r.bottom - r.top, memory_.Get(), r.left, r.top, SRCCOPY);
  SelectObject(memory_.Get(), oldBitmap_);
  EndPaint(window_, &paint_);
}

void FillSolid(HDC dc, const RECT& r, Colour colour) {
  GdiObject<HBRUSH> brush(CreateSolidBrush(ToColorRef(colour)));
  FillRect(dc, &r, brush.Get());
}

}  // namespace tarnwick::ui
