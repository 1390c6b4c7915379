#pragma once
// The program's life: the start-up gate, then the application with its main window until
// that window closes.
#include <functional>

#include "platform/platform.h"

namespace tarnwick {

// Returns the exit code: 0 on every orderly end (the gate refused, the main window closed),
// 1 when an exception escapes before the message loop runs, after `reportFatal` has shown
// its message. Exceptions inside the message loop are the application's to report.
int RunProgram(Platform& platform, const std::function<void(const char* message)>& reportFatal);

// The last-resort report: a task-modal error box titled "Application Error".
void ShowApplicationErrorBox(const char* message);

}  // namespace tarnwick
