#pragma once
// Builds a form from layout text rather than from a resource (tests, tools).
#include <memory>

#include "platform/form_view.h"
#include "ui/ui_win.h"

namespace tarnwick::ui {
std::unique_ptr<FormView> CreateFormFromText(const Bytes& layoutText, FormEvents& events);
}
