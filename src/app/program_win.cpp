#include "app/program_win.h"

#include <windows.h>

#include <exception>

#include "app/startup_gate.h"
#include "fmMain.h"
#include "product_texts.h"
#include "ui/ui_win.h"

namespace tarnwick {
namespace {

int RunAdmitted() {
  if (!RunStartupGate()) return 0;
  ui::InitializeApplication();
  ui::SetApplicationTitle(kApplicationTitle);
  {
    tMainForm mainForm;
    ui::RunApplication();
  }
  ui::UninitializeApplication();
  return 0;
}

}  // namespace

int RunProgram(Platform& platform, const std::function<void(const char* message)>& reportFatal) {
  ScopedPlatform installed(platform);
  try {
    return RunAdmitted();
  } catch (const std::exception& error) {
    reportFatal(error.what());
  } catch (...) {
    reportFatal("Unknown error");
  }
  return 1;
}

void ShowApplicationErrorBox(const char* message) {
  MessageBoxA(nullptr, message, "Application Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace tarnwick
