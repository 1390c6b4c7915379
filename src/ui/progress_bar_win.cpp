// The progress bar: a white trough, optionally framed, and a bar whose colours change
// with its level as it fills.
#include <cstdint>
#include <cstdlib>

#include "ui/controls_win.h"
#include "util/paths.h"

namespace tarnwick::ui {

ProgressBar::ProgressBar(const ControlSpec& entry, Control* parent, const FontSpec& font)
    : Control(entry, parent, font),
      max_(entry.GetInt("max", 100)),
      position_(entry.GetInt("position", 0)),
      border_(entry.Get("border") == "true") {
  // The component's own level colours where the layout gives none.
  const Colour defaults[4] = {0x00FF00, 0xFFFF00, 0xFFA953, 0xFF0000};
  for (int level = 0; level < 4; ++level) {
    std::string key = "level" + std::to_string(level);
    levels_[level] = entry.Has(key) ? ColourList(entry, key) : std::vector<Colour>{defaults[level], defaults[level]};
  }
  if (entry.Has("levels")) {
    std::string list = entry.Get("levels");
    level1Percent_ = std::atoi(SplitFirst(list, ",").c_str());
    level2Percent_ = std::atoi(list.c_str());
    if (level1Percent_ <= 0 || level2Percent_ < level1Percent_) FailProperty(entry, "levels");
  }
}

void ProgressBar::SetMax(int max) {
  max_ = max;
  InvalidateRect(window_, nullptr, FALSE);
}

void ProgressBar::SetPosition(int position) {
  position_ = position;
  InvalidateRect(window_, nullptr, FALSE);
}

int ProgressBar::Level() const {
  if (max_ <= 0) return 0;
  int64_t percent = int64_t(position_) * 100 / max_;
  return percent < level1Percent_ ? 0 : percent < level2Percent_ ? 1 : 2;
}

void ProgressBar::Paint(HDC dc, const RECT& client, const RECT&) {
  RECT trough = client;
  if (border_) {
    FillSolid(dc, client, 0x808080);
    InflateRect(&trough, -1, -1);
  }
  FillSolid(dc, trough, 0xFFFFFF);
  if (max_ <= 0 || position_ <= 0) return;
  int64_t width = trough.right - trough.left;
  int64_t filled = position_ >= max_ ? width : width * position_ / max_;
  RECT bar{trough.left, trough.top, trough.left + static_cast<int>(filled), trough.bottom};
  const std::vector<Colour>& colours = levels_[Level()];
  PaintGradient(dc, bar, bar, VerticalGradient(colours[0], colours[1]));
}

}  // namespace tarnwick::ui
