#pragma once
// The application object's inner side: which form is the main window, the end of the
// message loop, the owner of boxes, and a hook that lets tests see reported exceptions
// instead of a modal box.
#include <windows.h>

#include <functional>
#include <string>

namespace tarnwick::ui {

class Form;

// The first form created becomes the main window; its closing ends RunApplication.
void RegisterForm(Form& form);
void UnregisterForm(Form& form);
HWND MainWindow();
// Closing the main window: the message loop ends (WM_QUIT is posted).
void Terminate();
bool Terminated();

// The window that owns a box: the active window of this thread when it is visible, else none.
HWND BoxOwner();

// While a reporter is set, HandleException hands it the message instead of showing a box.
using ExceptionReporter = std::function<void(const std::string& message)>;
void SetExceptionReporterForTesting(ExceptionReporter reporter);

// Calls `body`, and hands anything it throws to HandleException. For window procedures and
// other callbacks that Win32 calls: no exception may unwind through its frames.
template <typename Body>
void Guarded(Body&& body) noexcept;

void ReportUnknownException() noexcept;

}  // namespace tarnwick::ui

#include <exception>
#include "ui/ui_win.h"

namespace tarnwick::ui {
template <typename Body>
void Guarded(Body&& body) noexcept {
  try {
    body();
  } catch (const std::exception& error) {
    HandleException(error);
  } catch (...) {
    ReportUnknownException();
  }
}
}  // namespace tarnwick::ui
