#include "ui/fonts_win.h"

#include <map>
#include <tuple>

#include "ui/dpi_win.h"
#include "ui/gdi_win.h"

namespace tarnwick::ui {
namespace {

using FontKey = std::tuple<std::string, int, bool>;

std::map<FontKey, GdiObject<HFONT>> fonts;  // for the life of the process

HFONT Cached(const std::string& face, int height, bool bold) {
  GdiObject<HFONT>& slot = fonts[FontKey{face, height, bold}];
  if (!slot) {
    slot.Reset(CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                           face.c_str()));
  }
  return slot.Get();
}

}  // namespace

// A negative height asks GDI for the character height.
HFONT LayoutFont(const FontSpec& font) { return Cached(font.face, -Scale(font.height), font.bold); }

HFONT CellHeightFont(const char* face, int deviceCellHeight, bool bold) {
  return Cached(face, deviceCellHeight, bold);
}

SIZE MeasureText(HFONT font, const Bytes& text) {
  ScreenDC screen;
  Selection selected(screen.Get(), font);
  RECT r{0, 0, 0, 0};
  if (text.empty()) {
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen.Get(), &metrics);
    return SIZE{0, metrics.tmHeight};
  }
  DrawTextA(screen.Get(), text.data(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

}  // namespace tarnwick::ui
