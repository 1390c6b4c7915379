#pragma once
// The five ways the installer talks to the user. All are modal task dialogs.
#include <initializer_list>

#include "platform/platform.h"
#include "util/format.h"

namespace tarnwick {

inline void ShowNote(const Bytes& text) { Sys().ShowNote(text); }
inline void ShowNoteTitled(const Bytes& title, const Bytes& text) { Sys().ShowNoteTitled(title, text); }
inline void ShowNoteFmt(const Bytes& pattern, std::initializer_list<FormatArg> values) {
  Sys().ShowNote(Format(pattern, values));
}
// Windows message-box flags in, the Windows button id out (1 for OK).
inline int AskBox(const Bytes& text, const Bytes& caption, unsigned flags) {
  return Sys().AskBox(text, caption, flags);
}
// Kind 0 is a warning; buttons is a set (Yes bit 0, No bit 1, OK bit 2, Cancel bit 3); 6 is Yes.
inline int AskDialog(const Bytes& text, int kind, unsigned buttons) {
  return Sys().AskDialog(text, kind, buttons);
}

}  // namespace tarnwick
