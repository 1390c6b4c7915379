#pragma once
// Shared pieces of the control layer's tests: a form class that records which handlers ran,
// a fixture that catches reported exceptions instead of showing a box, and lookups of
// child windows by their layout name, read the way an automation driver reads them.
#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/form_view.h"
#include "ui/application_win.h"
#include "ui/dpi_win.h"
#include "ui/form_win.h"
#include "ui/ui_win.h"
#include "util/exceptions.h"

namespace tarnwick::ui::test {

// Windows can be made only with a display (Xvfb) or Wine's null graphics driver.
inline bool CanCreateWindows() {
  static const bool can = [] {
    HWND probe = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (probe) DestroyWindow(probe);
    return probe != nullptr;
  }();
  return can;
}

// Binds every handler name; records "handler sender" per call. `actions` can give a
// handler a body of its own (one that throws, for instance).
class RecordingEvents : public FormEvents {
 public:
  std::vector<std::string> calls;
  std::map<std::string, EventHandler> actions;
  FormView* view = nullptr;

  EventHandler Bind(const std::string& handlerName) override {
    return [this, handlerName](EventArgs& args) {
      calls.push_back(handlerName + " " + args.sender);
      auto action = actions.find(handlerName);
      if (action != actions.end()) action->second(args);
    };
  }
  void Attach(FormView& attached) override { view = &attached; }
};

// The layout name of a window, as another process reads it.
inline std::string LayoutNameOf(HWND window) {
  auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropA(window, "TarnwickName")));
  char name[256] = {};
  if (atom) GlobalGetAtomNameA(atom, name, sizeof name);
  return name;
}

inline std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

inline HWND FormWindow(FormView& view) { return dynamic_cast<Form&>(view).Handle(); }

inline HWND ChildNamed(FormView& view, const std::string& name) {
  for (HWND child : ChildWindows(FormWindow(view)))
    if (LayoutNameOf(child) == name) return child;
  return nullptr;
}

inline std::string WindowText(HWND window) {
  char text[1024] = {};
  SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

// Device rectangle of a child within its parent's client area.
inline RECT RectInParent(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!CanCreateWindows()) GTEST_SKIP() << "no display: windows cannot be created here (run under xvfb-run)";
    static bool initialized = false;
    if (!initialized) InitializeApplication();
    initialized = true;
    SetApplicationTitle("Tarnwick Installer Version 3.24");
    OverrideDpiForTesting(96);
    SetExceptionReporterForTesting([this](const std::string& message) { reported.push_back(message); });
  }
  void TearDown() override {
    SetExceptionReporterForTesting(nullptr);
    OverrideDpiForTesting(0);
    // A closed main window leaves WM_QUIT behind; it must not end the next test's pumping.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  std::vector<std::string> reported;
};

}  // namespace tarnwick::ui::test
