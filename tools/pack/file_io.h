#pragma once
// The packing tool's file access on the build machine. Every failure raises
// tarnwick::Exception with the path and the system's reason.
#include <ctime>

#include "util/bytes.h"

namespace tarnwick::pack {

Bytes ReadWholeFile(const Bytes& path);
// Creates or replaces the file.
void WriteWholeFile(const Bytes& path, const Bytes& bytes);
// Creates the folder unless it exists.
void EnsureFolder(const Bytes& path);
// Writes `name` inside `folder` and gives it the modification time `when`. `name` must be a
// plain file name; a symbolic link in its place is refused rather than followed, so that
// nothing is written outside the folder.
void WriteFileInFolder(const Bytes& folder, const Bytes& name, const Bytes& bytes, std::time_t when);

}  // namespace tarnwick::pack
