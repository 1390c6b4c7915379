// Labels size themselves to their caption and, without a colour of their own, show their
// parent's background (gradients included) under the text.
#include "ui/controls_win.h"
#include "ui/dpi_win.h"
#include "ui/fonts_win.h"

namespace tarnwick::ui {

void Label::SetText(const Bytes& text) {
  Control::SetText(text);
  AutoSize();
}

void Label::AutoSize() {
  textSize_ = MeasureText(FontHandle(), Text());
  bounds_.width = Unscale(textSize_.cx);
  bounds_.height = Unscale(textSize_.cy);
  Place();
}

RECT Label::DeviceRect() const {
  int left = Scale(bounds_.left), top = Scale(bounds_.top);
  return RECT{left, top, left + textSize_.cx, top + textSize_.cy};
}

void Label::Paint(HDC dc, const RECT& client, const RECT& dirty) {
  PaintSurface(dc, dirty);
  Bytes text = Text();
  Selection font(dc, FontHandle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ToColorRef(Font().colour));
  RECT r = client;
  DrawTextA(dc, text.data(), static_cast<int>(text.size()), &r, DT_NOPREFIX | DT_EXPANDTABS);
}

}  // namespace tarnwick::ui
