// The program entry. Hardening the DLL search order comes first, before anything could
// load a DLL from the folder the installer was started from.
#include <windows.h>

#include "app/dll_hardening_win.h"
#include "app/program_win.h"
#include "platform/platform_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  tarnwick::HardenDllSearchOrder();
  tarnwick::Win32Platform platform;
  return tarnwick::RunProgram(platform, tarnwick::ShowApplicationErrorBox);
}
