#include "platform/form_view.h"

#include "util/paths.h"

namespace tarnwick {

void CenterInParent(FormView& view, const std::string& control) {
  view.SetLeft(control, CenteredLeft(view.ParentWidth(control), view.Bounds(control).width));
}

}  // namespace tarnwick
