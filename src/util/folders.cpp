#include "util/folders.h"

#include <vector>

#include "platform/platform.h"
#include "util/paths.h"

namespace tarnwick {
namespace {

// The folders along a path, outermost first, leaving out the roots that cannot be made:
// "c:" of "c:\a\b", the leading "\" of "\a", and "\\server\share" of a network path.
std::vector<Bytes> FoldersAlong(const Bytes& path) {
  std::vector<Bytes> levels;
  size_t firstCreatable = 0;  // index into the backslash-separated parts
  if (path.compare(0, 2, "\\\\") == 0) firstCreatable = 4;  // "", "", server, share
  size_t part = 0;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i != path.size() && path[i] != '\\') continue;
    Bytes level = path.substr(0, i);
    bool root = level.empty() || level.back() == ':' || part < firstCreatable;
    if (!root && (levels.empty() || levels.back() != level)) levels.push_back(level);
    ++part;
  }
  return levels;
}

}  // namespace

bool MakeFolder(Bytes& path) {
  if (path.empty()) return false;
  Bytes resolved = IsAbsolutePath(path)
                       ? path
                       : AddTrailingBackslash(Sys().CurrentDirectory()) + StripTrailingBackslashes(path);
  Bytes bare = StripTrailingBackslashes(resolved);
  if (!Sys().FolderExists(bare)) {
    for (const Bytes& level : FoldersAlong(bare)) {
      if (!Sys().FolderExists(level) && !Sys().CreateFolder(level)) return false;
    }
  }
  path = resolved;
  return true;
}

bool WriteFileBytes(const Bytes& path, const Bytes& bytes) { return Sys().WriteFileBytes(path, bytes); }

}  // namespace tarnwick
