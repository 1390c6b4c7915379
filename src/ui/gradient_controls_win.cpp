// Gradient panels (containers) and gradient backgrounds (beneath their siblings).
#include <cstring>

#include "ui/controls_win.h"
#include "util/exceptions.h"

namespace tarnwick::ui {
namespace {

// The form library's drag cursor: the arrow with a small sheet at its tip. '#' is black,
// '.' white, blanks are transparent.
HCURSOR dragCursor = nullptr;

HCURSOR DragCursor() {
  if (!dragCursor) {
    static const char* const art[] = {
        "#",          "##",         "#.#",        "#..#",        "#...#",        "#....#",
        "#.....#",    "#......#",   "#.......#",  "#........#",  "#.....#####",  "#..#..#",
        "#.#.#..#",   "##  #..#",   "#    #..#",  "      #..#",  "       ##",    "",
        "   #########", "   #.......#", "   #.......#", "   #.......#", "   #.......#", "   #########",
    };
    BYTE andMask[32 * 4], xorMask[32 * 4];
    std::memset(andMask, 0xFF, sizeof andMask);
    std::memset(xorMask, 0x00, sizeof xorMask);
    for (size_t y = 0; y < sizeof art / sizeof art[0]; ++y) {
      for (size_t x = 0; art[y][x] != '\0' && x < 32; ++x) {
        BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
        size_t at = y * 4 + x / 8;
        if (art[y][x] == ' ') continue;
        andMask[at] &= static_cast<BYTE>(~bit);
        if (art[y][x] == '.') xorMask[at] |= bit;
      }
    }
    dragCursor = CreateCursor(GetModuleHandleA(nullptr), 0, 0, 32, 32, andMask, xorMask);
  }
  return dragCursor;
}

GradientStyle StyleOf(const ControlSpec& entry) {
  std::string style = entry.Get("style", "vertical");
  if (style == "vertical") return GradientStyle::kVertical;
  if (style == "horizontal") return GradientStyle::kHorizontal;
  if (style == "pyramid") return GradientStyle::kPyramid;
  FailProperty(entry, "style");
}

Gradient GradientOf(const ControlSpec& entry, Colour fallback) {
  Gradient g;
  g.from = entry.Has("colour") ? ColourList(entry, "colour")[0] : fallback;
  g.to = entry.Has("colourto") ? ColourList(entry, "colourto")[0] : g.from;
  g.style = StyleOf(entry);
  if (entry.Has("mirror")) g.mirror = ColourList(entry, "mirror")[0];
  if (entry.Has("mirrorto")) g.mirrorTo = ColourList(entry, "mirrorto")[0];
  return g;
}

RECT ClientOf(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return r;
}

}  // namespace

GradientPanel::GradientPanel(const ControlSpec& entry, Control* parent, const FontSpec& font)
    : Control(entry, parent, font), gradient_(GradientOf(entry, 0xC0C0C0)) {
  if (entry.Get("cursor") == "drag") cursor_ = DragCursor();
}

void GradientPanel::PaintSurface(HDC dc, const RECT& area) { PaintGradient(dc, ClientOf(window_), area, gradient_); }

GradientBackground::GradientBackground(const ControlSpec& entry, Control* parent, const FontSpec& font)
    : Control(entry, parent, font), gradient_(GradientOf(entry, 0xFFFFFF)) {}

void GradientBackground::PaintSurface(HDC dc, const RECT& area) {
  PaintGradient(dc, ClientOf(window_), area, gradient_);
}

}  // namespace tarnwick::ui
