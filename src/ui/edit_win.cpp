// The single-line edit: the system's edit control, with the layout's font.
#include "ui/controls_win.h"
#include "util/paths.h"

namespace tarnwick::ui {

Edit::Edit(const ControlSpec& entry, Control* parent, const FontSpec& font)
    : Control(entry, parent, font), lowerCase_(entry.Get("charcase") == "lower") {}

void Edit::CreateWindowIn(HWND parentWindow) {
  // ES_LOWERCASE turns what is typed or pasted into lower case; SetText does the same for
  // what the program places in it.
  DWORD style = WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL | (lowerCase_ ? ES_LOWERCASE : 0) | (visible_ ? WS_VISIBLE : 0);
  MakeWindow("EDIT", style, WS_EX_CLIENTEDGE, parentWindow, DeviceRect());
  SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
}

void Edit::SetText(const Bytes& text) { Control::SetText(lowerCase_ ? LowerCase(text) : text); }

}  // namespace tarnwick::ui
