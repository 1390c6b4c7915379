#pragma once
// Folder creation and whole-file writing, over the platform.
#include "util/bytes.h"

namespace tarnwick {

// Makes the path absolute (a relative one is resolved against the current directory) and
// creates every missing folder along it, outermost first; a drive root is never created.
// On success the resolved path is written back (an absolute path exactly as passed, so a
// folder prefix stays one); on failure the argument keeps its value. An empty path fails.
bool MakeFolder(Bytes& path);

// Creates or replaces the file with exactly these bytes; empty bytes delete the file.
// True only when every byte reached the file.
bool WriteFileBytes(const Bytes& path, const Bytes& bytes);

}  // namespace tarnwick
