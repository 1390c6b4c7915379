#pragma once
// A small reader of Shell Link (.lnk) files for the tests, independent of the system's
// shell-link object: it parses the header, the target's ID list or LinkInfo, and the string
// data, so that a test can check every field the installer sets on a shortcut it wrote.
#include <cstdint>
#include <optional>
#include <string>

namespace tarnwick::test {

struct ShellLinkContents {
  uint32_t flags = 0;            // LinkFlags of the header
  std::string target;            // LinkInfo's local path, else the path the ID list spells
  std::string workingDirectory;  // empty when the link has none
  std::string arguments;
  std::string description;
  std::string iconLocation;
  int32_t iconIndex = 0;
  uint32_t showCommand = 0;
  uint16_t hotKey = 0;           // virtual key in the low byte, HOTKEYF_* in the high byte
  bool hasWorkingDirectory = false;
  bool hasArguments = false;
  bool hasDescription = false;
  bool hasIconLocation = false;
};

// The contents of a .lnk file's bytes; nullopt (with the reason in `error`) when the bytes
// are not a well-formed shell link. Unicode strings come back with every UTF-16 unit below
// 256 as one byte and any other as '?', which is exact for the Latin text of the tests.
std::optional<ShellLinkContents> ParseShellLink(const std::string& bytes, std::string* error = nullptr);

// Reads and parses the file at `path` (a path the calling program can open).
std::optional<ShellLinkContents> ReadShellLinkFile(const std::string& path, std::string* error = nullptr);

}  // namespace tarnwick::test
