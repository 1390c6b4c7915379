#pragma once
// Byte strings: 8-bit text in the Windows ANSI code page with an explicit length.
// File contents, resource texts, paths and messages are all byte strings.
#include <string>

namespace tarnwick {
using Bytes = std::string;
}  // namespace tarnwick
