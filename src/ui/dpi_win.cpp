#include "ui/dpi_win.h"

#include <windows.h>

namespace tarnwick::ui {
namespace {
int systemDpi = 0;
int overrideDpi = 0;

int CurrentDpi() { return overrideDpi ? overrideDpi : SystemDpi(); }
}  // namespace

int ScaleFor(int value, int dpi) { return MulDiv(value, dpi, 96); }

int SystemDpi() {
  if (systemDpi == 0) {
    HDC screen = GetDC(nullptr);
    systemDpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    if (systemDpi <= 0) systemDpi = 96;
  }
  return systemDpi;
}

int Scale(int layoutPixels) { return ScaleFor(layoutPixels, CurrentDpi()); }
int Unscale(int devicePixels) { return MulDiv(devicePixels, 96, CurrentDpi()); }

void OverrideDpiForTesting(int dpi) { overrideDpi = dpi; }

}  // namespace tarnwick::ui
