#pragma once
// The one gradient painter behind the gradient panels, the pages' gradient backgrounds,
// the tool buttons and the progress bar.
#include <windows.h>

#include <optional>

#include "platform/form_view.h"

namespace tarnwick::ui {

enum class GradientStyle {
  kVertical,    // `from` at the top, `to` at the bottom
  kHorizontal,  // `from` at the left, `to` at the right
  kPyramid,     // `from` along the edges, `to` at the centre, in square rings
};

struct Gradient {
  Colour from = 0;
  Colour to = 0;
  GradientStyle style = GradientStyle::kVertical;
  // A mirrored gradient (vertical only): the upper half shades from -> to, the lower half
  // mirror -> mirrorTo (a plain mirror colour when mirrorTo is absent).
  std::optional<Colour> mirror;
  std::optional<Colour> mirrorTo;
};

inline Gradient VerticalGradient(Colour from, Colour to) {
  Gradient g;
  g.from = from;
  g.to = to;
  return g;
}

// The colour at step `step` of `steps` between two colours (step 0 is `from`).
Colour Blend(Colour from, Colour to, int step, int steps);

// Paints the part `area` of a gradient whose full extent is `shape` (both in the DC's
// logical coordinates); pixels outside `area` are left alone.
void PaintGradient(HDC dc, const RECT& shape, const RECT& area, const Gradient& gradient);

}  // namespace tarnwick::ui
