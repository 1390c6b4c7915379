#pragma once
// Layouts give every figure in pixels at 96 DPI. The process is DPI aware (its manifest says
// so), so at a higher system DPI every layout figure and font height is scaled here, once,
// and read back through Unscale where form logic asks for positions.
namespace tarnwick::ui {

// value * dpi / 96, rounded half away from zero (MulDiv's rounding).
int ScaleFor(int value, int dpi);
// The system DPI, read once from the screen.
int SystemDpi();
int Scale(int layoutPixels);
int Unscale(int devicePixels);

// Tests build windows at a chosen DPI; 0 returns to the system's.
void OverrideDpiForTesting(int dpi);

}  // namespace tarnwick::ui
