// The program entry: harden the DLL search order, run the start-up gate, then the
// application with its main window until that window closes.
#include <windows.h>

#include <exception>

#include "app/dll_hardening_win.h"
#include "app/startup_gate.h"
#include "fmMain.h"
#include "platform/platform_win.h"
#include "product.h"
#include "ui/ui_win.h"

namespace {

// What escapes before the message loop runs ends the process, reported like the run
// time's last-resort handler does.
int ReportFatal(const char* message) {
  MessageBoxA(nullptr, message, "Application Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  return 1;
}

int Run() {
  tarnwick::Win32Platform platform;
  tarnwick::ScopedPlatform installed(platform);
  if (!tarnwick::RunStartupGate()) return 0;
  tarnwick::ui::InitializeApplication();
  tarnwick::ui::SetApplicationTitle(TARNWICK_APP_TITLE);
  {
    tarnwick::tMainForm mainForm;
    tarnwick::ui::RunApplication();
  }
  tarnwick::ui::UninitializeApplication();
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  tarnwick::HardenDllSearchOrder();
  try {
    return Run();
  } catch (const std::exception& error) {
    return ReportFatal(error.what());
  } catch (...) {
    return ReportFatal("Unknown error");
  }
}
