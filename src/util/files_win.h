#pragma once
// The Win32 halves of the path and file utilities: what the installer asks of Windows'
// file system, shell folders and Recycle Bin. "A" calls throughout: paths are ANSI bytes.
#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace tarnwick::win {

// True when this process runs on 64-bit Windows. A 64-bit build is that by construction;
// a 32-bit one asks WOW64 and raises "Bad process handle" when the query fails.
bool IsWindows64();
Bytes GetSpecialFolder(int csidl);
Bytes CurrentDirectory();
unsigned DriveType(const Bytes& root);
bool FileExists(const Bytes& path);
bool FolderExists(const Bytes& path);
bool CreateFolder(const Bytes& path);
std::vector<FolderEntry> ListFolder(const Bytes& pattern);
bool WriteFileBytes(const Bytes& path, const Bytes& bytes);
bool SetFileDosDate(const Bytes& path, int32_t dosDateTime);
bool RemoveFile(const Bytes& path);
bool RecycleFiles(const Bytes& mask);

}  // namespace tarnwick::win
