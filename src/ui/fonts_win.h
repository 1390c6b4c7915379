#pragma once
// Fonts of the layouts, made once per face, size and weight and kept for the life of the
// process. Layout heights are character heights (the cell height less internal leading),
// scaled to the system DPI here.
#include <windows.h>

#include "ui/layout.h"

namespace tarnwick::ui {

HFONT LayoutFont(const FontSpec& font);
// A font by device cell height (internal leading included), for the image canvas.
HFONT CellHeightFont(const char* face, int deviceCellHeight, bool bold);

// Size of a text in device pixels; line feeds start new lines.
SIZE MeasureText(HFONT font, const Bytes& text);

}  // namespace tarnwick::ui
