#pragma once
// Helpers of the Windows-side tests: a scratch folder that is removed afterwards, whole-file
// reads, and where Wine puts what goes to the Recycle Bin.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "util/bytes.h"
#include "util/paths.h"

namespace tarnwick::test {

class ScratchFolder {
 public:
  ScratchFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    // Wine hands out the same few process ids run after run: the clock keeps names apart.
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    path_ = AddTrailingBackslash(temp) + "tarnwick-desk-" + std::to_string(GetCurrentProcessId()) +
            "-" + std::to_string(now.QuadPart) + "-" + std::to_string(counter_++) + "\\";
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~ScratchFolder() {
    Bytes list = StripTrailingBackslashes(path_);
    list.append(2, '\0');
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = list.c_str();
    operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI;
    SHFileOperationA(&operation);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder prefix, ending in a backslash.
  const Bytes& path() const { return path_; }
  // A path inside the folder.
  Bytes operator/(const Bytes& name) const { return path_ + name; }
  // A subfolder, created, as a folder prefix.
  Bytes Folder(const Bytes& name) const {
    Bytes folder = path_ + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\";
  }

 private:
  static inline int counter_ = 0;
  Bytes path_;
};

inline bool FileThere(const Bytes& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

inline Bytes ReadWhole(const Bytes& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  Bytes content(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  if (!content.empty()) ReadFile(file, &content[0], static_cast<DWORD>(content.size()), &read, nullptr);
  CloseHandle(file);
  content.resize(read);
  return content;
}

inline void WriteWhole(const Bytes& path, const Bytes& content) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
}

// The folder (a folder prefix) where Wine's Recycle Bin keeps the files it was given: the
// freedesktop.org Trash of the Unix user, $XDG_DATA_HOME/Trash or $HOME/.local/share/Trash.
// Wine shows the Unix home as WINEHOMEDIR ("\??\Z:\home\me"). Empty when neither is known.
inline Bytes WineTrashFiles() {
  char buffer[1024];
  DWORD length = GetEnvironmentVariableA("XDG_DATA_HOME", buffer, sizeof buffer);
  if (length > 0 && length < sizeof buffer && buffer[0] == '/') {
    Bytes folder = "Z:" + Bytes(buffer, length);
    for (char& c : folder)
      if (c == '/') c = '\\';
    return AddTrailingBackslash(folder) + "Trash\\files\\";
  }
  length = GetEnvironmentVariableA("WINEHOMEDIR", buffer, sizeof buffer);
  if (length == 0 || length >= sizeof buffer) return Bytes();
  Bytes home(buffer, length);
  if (home.rfind("\\??\\", 0) == 0) home.erase(0, 4);
  return AddTrailingBackslash(home) + ".local\\share\\Trash\\files\\";
}

}  // namespace tarnwick::test
