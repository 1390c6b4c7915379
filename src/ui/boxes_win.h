#pragma once
// Task dialogs of Common Controls 6 for the installer's boxes. What a box looks like is
// worked out first (BoxSpec) and then shown, so the mapping from message-box flags and
// button sets can be checked without a modal loop.
#include <windows.h>
#include <commctrl.h>

#include "util/bytes.h"

namespace tarnwick::ui {

struct BoxSpec {
  Bytes windowTitle;
  Bytes mainInstruction;
  Bytes content;
  PCWSTR icon = nullptr;  // TD_*_ICON, or none
  TASKDIALOG_COMMON_BUTTON_FLAGS buttons = TDCBF_OK_BUTTON;
};

// AskBox: MB_* buttons and icon; the caption is the window title and the text the content.
BoxSpec AskBoxSpec(const Bytes& text, const Bytes& caption, unsigned flags);
// AskDialog: kind 0 warning, 1 error, 2 information, 3 confirmation; buttons Yes 1, No 2,
// OK 4, Cancel 8 (none: OK). The window title is the application title.
BoxSpec AskDialogSpec(const Bytes& text, int kind, unsigned buttons);

// The button id a box answers. Closing a box with its close button or Escape gives
// IDCANCEL; where the box has no Cancel button that becomes No, or else OK, as with a
// message box.
int BoxResult(int dialogResult, TASKDIALOG_COMMON_BUTTON_FLAGS buttons);

// Shows a box, owned by the active visible window of this thread; returns BoxResult.
int ShowBox(const BoxSpec& box);

// The application's report of an exception: error icon, the message, the application title.
void ShowErrorBox(const Bytes& title, const Bytes& message);

}  // namespace tarnwick::ui
