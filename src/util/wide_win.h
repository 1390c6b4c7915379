#pragma once
// ANSI bytes to UTF-16 at the Windows boundary (task dialogs, the shell link's file name).
// A vector rather than std::wstring: the wide string instantiation would add some 35 KB to
// a program that otherwise never needs it.
#include <windows.h>

#include <vector>

#include "util/bytes.h"

namespace tarnwick {

// The text in the ANSI code page as a zero-terminated UTF-16 string.
inline std::vector<wchar_t> WideFromAnsi(const Bytes& text) {
  const int length =
      text.empty() ? 0 : MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::vector<wchar_t> wide(static_cast<size_t>(length) + 1, L'\0');
  if (length > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

}  // namespace tarnwick
