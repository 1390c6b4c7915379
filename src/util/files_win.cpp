#include "util/files_win.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "util/exceptions.h"

namespace tarnwick::win {
namespace {

// Owns a kernel handle; INVALID_HANDLE_VALUE and null both mean "none".
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (valid()) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

class FindHandle {
 public:
  explicit FindHandle(HANDLE handle) : handle_(handle) {}
  ~FindHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

// An item-id list from the shell, freed with the shell's task allocator.
class ItemIdList {
 public:
  ItemIdList() = default;
  ~ItemIdList() { CoTaskMemFree(list_); }
  ItemIdList(const ItemIdList&) = delete;
  ItemIdList& operator=(const ItemIdList&) = delete;
  LPITEMIDLIST* out() { return &list_; }
  LPCITEMIDLIST get() const { return list_; }

 private:
  LPITEMIDLIST list_ = nullptr;
};

DWORD Attributes(const Bytes& path) { return GetFileAttributesA(path.c_str()); }

}  // namespace

bool IsWindows64() {
#if defined(_WIN64)
  return true;  // a 64-bit process runs only on 64-bit Windows
#else
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
  HMODULE kernel = GetModuleHandleA("kernel32");
  auto query = kernel ? reinterpret_cast<IsWow64ProcessFn>(
                            reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")))
                      : nullptr;
  if (!query) return false;  // a Windows without the query has no WOW64
  BOOL wow64 = FALSE;
  if (!query(GetCurrentProcess(), &wow64)) throw Exception("Bad process handle");
  return wow64 != FALSE;
#endif
}

Bytes GetSpecialFolder(int csidl) {
  ItemIdList list;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, list.out()))) return Bytes();
  char buffer[MAX_PATH + 1] = {};
  if (!SHGetPathFromIDListA(list.get(), buffer)) return Bytes();
  return Bytes(buffer);
}

Bytes CurrentDirectory() {
  DWORD needed = GetCurrentDirectoryA(0, nullptr);
  if (needed == 0) return Bytes();
  Bytes path(needed, '\0');
  DWORD length = GetCurrentDirectoryA(needed, &path[0]);
  path.resize(length < needed ? length : 0);
  return path;
}

unsigned DriveType(const Bytes& root) { return GetDriveTypeA(root.c_str()); }

bool FileExists(const Bytes& path) {
  DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const Bytes& path) {
  DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateFolder(const Bytes& path) { return CreateDirectoryA(path.c_str(), nullptr) != FALSE; }

std::vector<FolderEntry> ListFolder(const Bytes& pattern) {
  std::vector<FolderEntry> entries;
  WIN32_FIND_DATAA data;
  FindHandle search(FindFirstFileA(pattern.c_str(), &data));
  if (!search.valid()) return entries;
  do {
    if (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
    entries.push_back(FolderEntry{data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileA(search.get(), &data));
  return entries;
}

bool WriteFileBytes(const Bytes& path, const Bytes& bytes) {
  if (bytes.empty()) {
    DeleteFileA(path.c_str());
    return !FileExists(path);
  }
  // Share mode 0: nobody else may open the file while it is being written.
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  // A full disk may first accept part of a write and report success: count what went out.
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(bytes.size() - done < 0x40000000u ? bytes.size() - done : 0x40000000u);
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

bool SetFileDosDate(const Bytes& path, int32_t dosDateTime) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  const auto packed = static_cast<uint32_t>(dosDateTime);
  FILETIME local, utc;
  if (!DosDateTimeToFileTime(static_cast<WORD>(packed >> 16), static_cast<WORD>(packed & 0xFFFF), &local)) return false;
  if (!LocalFileTimeToFileTime(&local, &utc)) return false;
  return SetFileTime(file.get(), nullptr, nullptr, &utc) != FALSE;  // last-write time only
}

bool RemoveFile(const Bytes& path) { return DeleteFileA(path.c_str()) != FALSE; }

bool RecycleFiles(const Bytes& mask) {
  Bytes source = mask;
  source.append(2, '\0');  // the shell wants a list ended by a double zero byte
  SHFILEOPSTRUCTA operation = {};
  operation.hwnd = nullptr;
  operation.wFunc = FO_DELETE;
  operation.pFrom = source.c_str();
  operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI;
  return SHFileOperationA(&operation) == 0;
}

}  // namespace tarnwick::win
