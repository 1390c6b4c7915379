#include "ui/application_win.h"

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "ui/boxes_win.h"
#include "ui/dpi_win.h"
#include "ui/form_win.h"
#include "util/exceptions.h"

namespace tarnwick::ui {
namespace {

struct Application {
  Bytes title;
  Form* mainForm = nullptr;
  bool oleInitialized = false;
  bool terminated = false;
  ExceptionReporter reporter;
};

// A namespace-scope object rather than a function's static: no initialisation guard, which
// would bring the threads library into a program that has one thread.
Application application;

Application& App() { return application; }

}  // namespace

void InitializeApplication() {
  Application& app = App();
  // The shell's folder browser and shell links need an apartment-threaded COM (OLE for
  // the browser's new dialog style) on this, the only GUI thread.
  app.oleInitialized = SUCCEEDED(OleInitialize(nullptr));
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  SystemDpi();
  app.terminated = false;
}

void UninitializeApplication() {
  Application& app = App();
  if (app.oleInitialized) OleUninitialize();
  app.oleInitialized = false;
}

void SetApplicationTitle(const Bytes& title) { App().title = title; }
const Bytes& ApplicationTitle() { return App().title; }

void RegisterForm(Form& form) {
  if (App().mainForm) return;
  App().mainForm = &form;
  App().terminated = false;  // a new main window starts a new run
}

void UnregisterForm(Form& form) {
  if (App().mainForm == &form) App().mainForm = nullptr;
}

HWND MainWindow() { return App().mainForm ? App().mainForm->Handle() : nullptr; }

void Terminate() {
  if (App().terminated) return;
  App().terminated = true;
  PostQuitMessage(0);
}

bool Terminated() { return App().terminated; }

void RunApplication() {
  Application& app = App();
  if (!app.mainForm || app.terminated) return;
  app.mainForm->Show();
  MSG msg;
  // A nested loop (ProcessMessages) may take the WM_QUIT; Terminated() still ends this one.
  while (!app.terminated) {
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) break;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  app.terminated = true;
}

void ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      App().terminated = true;
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void ProcessMessagesOrWait() {
  // Sleeps until something arrives, also after the end of the run was asked for: a waiting
  // loop that spun instead would burn a processor until its condition changed.
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) WaitMessage();
  ProcessMessages();
}

HWND BoxOwner() {
  HWND active = GetActiveWindow();
  return active && IsWindowVisible(active) ? active : nullptr;
}

void SetExceptionReporterForTesting(ExceptionReporter reporter) { App().reporter = std::move(reporter); }

void HandleException(const std::exception& error) noexcept {
  try {
    if (App().reporter) {
      App().reporter(error.what());
      return;
    }
    ShowErrorBox(App().title, error.what());
  } catch (...) {
    // Nothing is left to report with: the box itself failed.
  }
}

void ReportUnknownException() noexcept {
  try {
    HandleException(Exception("Unknown error"));
  } catch (...) {
  }
}

}  // namespace tarnwick::ui
