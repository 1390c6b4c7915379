#include "ui/controls_win.h"

#include "util/exceptions.h"

namespace tarnwick::ui {

std::unique_ptr<Control> MakeControl(const ControlSpec& entry, Control* parent, const FontSpec& font) {
  const std::string& kind = entry.kind;
  if (kind == "label") return std::make_unique<Label>(entry, parent, font);
  if (kind == "toolbutton") return std::make_unique<ToolButton>(entry, parent, font);
  if (kind == "edit") return std::make_unique<Edit>(entry, parent, font);
  if (kind == "image") return std::make_unique<Image>(entry, parent, font);
  if (kind == "gradientpanel") return std::make_unique<GradientPanel>(entry, parent, font);
  if (kind == "gradient") return std::make_unique<GradientBackground>(entry, parent, font);
  if (kind == "pagecontrol") return std::make_unique<PageControl>(entry, parent, font);
  if (kind == "page") return std::make_unique<Page>(entry, parent, font);
  if (kind == "progressbar") return std::make_unique<ProgressBar>(entry, parent, font);
  throw Exception("Layout line " + std::to_string(entry.line) + ": unknown kind " + kind + " of " + entry.name);
}

}  // namespace tarnwick::ui
