#include "app/dll_hardening_win.h"

#include <windows.h>

namespace tarnwick {
namespace {

constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

// Windows Vista (6.0) breaks creating the shell-link object once the default DLL
// directories are restricted, so it keeps the older protection only.
bool IsWindowsVista() {
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  HMODULE ntdll = GetModuleHandleA("ntdll");
  auto getVersion = ntdll ? reinterpret_cast<RtlGetVersionFn>(
                                reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                          : nullptr;
  OSVERSIONINFOW version = {};
  version.dwOSVersionInfoSize = sizeof version;
  if (!getVersion || getVersion(&version) != 0) return false;
  return version.dwMajorVersion == 6 && version.dwMinorVersion == 0;
}

}  // namespace

void HardenDllSearchOrder() {
  // Take the current directory out of the search path on every Windows that has the call.
  SetDllDirectoryA("");
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = GetModuleHandleA("kernel32");
  auto restrict = kernel ? reinterpret_cast<SetDefaultDllDirectoriesFn>(
                               reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")))
                         : nullptr;
  if (restrict && !IsWindowsVista()) restrict(kSearchSystem32);
}

}  // namespace tarnwick
