#include "ui/controls_win.h"

#include "util/exceptions.h"

namespace tarnwick::ui {

std::unique_ptr<Control> MakeControl(const ControlSpec& spec, Control* parent, const FontSpec& font) {
  const std::string& kind = spec.kind;
  if (kind == "label") return std::make_unique<Label>(spec, parent, font);
  if (kind == "toolbutton") return std::make_unique<ToolButton>(spec, parent, font);
  if (kind == "edit") return std::make_unique<Edit>(spec, parent, font);
  if (kind == "image") return std::make_unique<Image>(spec, parent, font);
  if (kind == "gradientpanel") return std::make_unique<GradientPanel>(spec, parent, font);
  if (kind == "gradient") return std::make_unique<GradientBackground>(spec, parent, font);
  if (kind == "pagecontrol") return std::make_unique<PageControl>(spec, parent, font);
  if (kind == "page") return std::make_unique<Page>(spec, parent, font);
  if (kind == "progressbar") return std::make_unique<ProgressBar>(spec, parent, font);
  throw Exception("Layout line " + std::to_string(spec.line) + ": unknown kind " + kind + " of " + spec.name);
}

}  // namespace tarnwick::ui
