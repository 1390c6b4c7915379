#include "ui/gradient_win.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace tarnwick::ui {
namespace {

int Channel(Colour c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }

// Colour of one pixel, as 0x00RRGGBB (the layout of a 32-bit DIB).
struct Painter {
  const RECT& shape;
  const Gradient& g;
  int width = shape.right - shape.left;
  int height = shape.bottom - shape.top;

  Colour At(int x, int y) const {
    switch (g.style) {
      case GradientStyle::kHorizontal:
        return Blend(g.from, g.to, x, width - 1);
      case GradientStyle::kPyramid: {
        // Distance from the centre as a share of the half extent, the larger of the two
        // axes: rings of equal colour are rectangles like the outline of the shape.
        int halfW = std::max(width / 2, 1), halfH = std::max(height / 2, 1);
        int dx = std::abs(2 * x - (width - 1)), dy = std::abs(2 * y - (height - 1));
        // Compare dx / (2 halfW) against dy / (2 halfH) without division.
        bool useX = int64_t(dx) * halfH >= int64_t(dy) * halfW;
        int step = useX ? dx : dy, steps = useX ? 2 * halfW : 2 * halfH;
        return Blend(g.to, g.from, std::min(step, steps), steps);
      }
      case GradientStyle::kVertical:
        break;
    }
    if (g.mirror) {
      int half = height / 2;
      if (y < half) return Blend(g.from, g.to, y, half - 1);
      Colour mirrorTo = g.mirrorTo.value_or(*g.mirror);
      return Blend(*g.mirror, mirrorTo, y - half, height - half - 1);
    }
    return Blend(g.from, g.to, y, height - 1);
  }
};

}  // namespace

Colour Blend(Colour from, Colour to, int step, int steps) {
  if (steps <= 0) return from;
  step = std::clamp(step, 0, steps);
  Colour result = 0;
  for (int shift : {16, 8, 0}) {
    int a = Channel(from, shift), b = Channel(to, shift);
    int value = a + ((b - a) * step * 2 + (b > a ? steps : -steps)) / (2 * steps);  // rounded
    result |= static_cast<Colour>(std::clamp(value, 0, 255)) << shift;
  }
  return result;
}

void PaintGradient(HDC dc, const RECT& shape, const RECT& area, const Gradient& gradient) {
  RECT part;
  if (!IntersectRect(&part, &shape, &area)) return;
  int w = part.right - part.left, h = part.bottom - part.top;
  Painter painter{shape, gradient};
  std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    int sy = part.top - shape.top + y;
    uint32_t* row = &pixels[static_cast<size_t>(y) * w];
    if (gradient.style == GradientStyle::kVertical) {
      std::fill(row, row + w, painter.At(0, sy));
      continue;
    }
    for (int x = 0; x < w; ++x) row[x] = painter.At(part.left - shape.left + x, sy);
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, part.left, part.top, w, h, 0, 0, 0, h, pixels.data(), &info, DIB_RGB_COLORS);
}

}  // namespace tarnwick::ui
