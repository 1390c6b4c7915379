#include "ui/boxes_win.h"

#include "ui/application_win.h"
#include "ui/ui_win.h"
#include "util/wide_win.h"

namespace tarnwick::ui {
namespace {

PCWSTR IconForMessageBoxFlags(unsigned flags) {
  switch (flags & MB_ICONMASK) {
    case MB_ICONERROR: return TD_ERROR_ICON;
    case MB_ICONWARNING: return TD_WARNING_ICON;
    case MB_ICONINFORMATION:
    case MB_ICONQUESTION: return TD_INFORMATION_ICON;
    default: return nullptr;
  }
}

TASKDIALOG_COMMON_BUTTON_FLAGS ButtonsForMessageBoxFlags(unsigned flags) {
  switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL: return TDCBF_OK_BUTTON | TDCBF_CANCEL_BUTTON;
    case MB_YESNOCANCEL: return TDCBF_YES_BUTTON | TDCBF_NO_BUTTON | TDCBF_CANCEL_BUTTON;
    case MB_YESNO: return TDCBF_YES_BUTTON | TDCBF_NO_BUTTON;
    case MB_RETRYCANCEL: return TDCBF_RETRY_BUTTON | TDCBF_CANCEL_BUTTON;
    default: return TDCBF_OK_BUTTON;
  }
}

}  // namespace

BoxSpec AskBoxSpec(const Bytes& text, const Bytes& caption, unsigned flags) {
  BoxSpec box;
  box.windowTitle = caption;
  box.content = text;
  box.icon = IconForMessageBoxFlags(flags);
  box.buttons = ButtonsForMessageBoxFlags(flags);
  return box;
}

BoxSpec AskDialogSpec(const Bytes& text, int kind, unsigned buttons) {
  BoxSpec box;
  box.windowTitle = ApplicationTitle();
  box.content = text;
  static const PCWSTR icons[] = {TD_WARNING_ICON, TD_ERROR_ICON, TD_INFORMATION_ICON, TD_INFORMATION_ICON};
  box.icon = kind >= 0 && kind < 4 ? icons[kind] : nullptr;
  box.buttons = 0;
  if (buttons & 1) box.buttons |= TDCBF_YES_BUTTON;
  if (buttons & 2) box.buttons |= TDCBF_NO_BUTTON;
  if (buttons & 4) box.buttons |= TDCBF_OK_BUTTON;
  if (buttons & 8) box.buttons |= TDCBF_CANCEL_BUTTON;
  if (box.buttons == 0) box.buttons = TDCBF_OK_BUTTON;
  return box;
}

int BoxResult(int dialogResult, TASKDIALOG_COMMON_BUTTON_FLAGS buttons) {
  if (dialogResult != IDCANCEL || (buttons & TDCBF_CANCEL_BUTTON)) return dialogResult;
  if (buttons & TDCBF_NO_BUTTON) return IDNO;
  if (buttons & TDCBF_OK_BUTTON) return IDOK;
  return dialogResult;
}

int ShowBox(const BoxSpec& box) {
  // Task dialogs take UTF-16; the installer's texts are in the ANSI code page.
  std::vector<wchar_t> title = WideFromAnsi(box.windowTitle), instruction = WideFromAnsi(box.mainInstruction),
                       content = WideFromAnsi(box.content);
  TASKDIALOGCONFIG config{};
  config.cbSize = sizeof config;
  config.hwndParent = BoxOwner();
  config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
  config.dwCommonButtons = box.buttons;
  config.pszWindowTitle = title.data();
  config.pszMainIcon = box.icon;
  config.pszMainInstruction = box.mainInstruction.empty() ? nullptr : instruction.data();
  config.pszContent = box.content.empty() ? nullptr : content.data();
  int pressed = 0;
  // A dialog that cannot be shown answers 0, which no caller takes for consent.
  if (FAILED(TaskDialogIndirect(&config, &pressed, nullptr, nullptr))) pressed = 0;
  return BoxResult(pressed, box.buttons);
}

void ShowNoteBox(const Bytes& title, const Bytes& text) {
  BoxSpec box;
  box.windowTitle = title.empty() ? ApplicationTitle() : title;
  box.mainInstruction = text;
  box.icon = TD_INFORMATION_ICON;
  ShowBox(box);
}

int AskBoxDialog(const Bytes& text, const Bytes& caption, unsigned flags) {
  return ShowBox(AskBoxSpec(text, caption, flags));
}

int AskDialogBox(const Bytes& text, int kind, unsigned buttons) { return ShowBox(AskDialogSpec(text, kind, buttons)); }

void ShowErrorBox(const Bytes& title, const Bytes& message) {
  BoxSpec box;
  box.windowTitle = title;
  box.content = message;
  box.icon = TD_ERROR_ICON;
  ShowBox(box);
}

}  // namespace tarnwick::ui
