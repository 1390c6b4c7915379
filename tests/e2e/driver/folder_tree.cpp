// The system folder browser's tree lives in the installer's process: its items' texts are
// read through a buffer allocated in that process, since a tree view message carries a
// pointer that only means something on the tree's side.
#include "driver.h"

#include <commctrl.h>

namespace tkdriver {
namespace {

constexpr UINT kSendTimeoutMs = 5000;
constexpr int kTextChars = 260;

class ProcessHandle {
 public:
  explicit ProcessHandle(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    handle_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!handle_) throw Failure("cannot open the folder browser's process");
  }
  ~ProcessHandle() { CloseHandle(handle_); }
  ProcessHandle(const ProcessHandle&) = delete;
  ProcessHandle& operator=(const ProcessHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

// One TVITEMW followed by its text buffer, in the tree's process.
class RemoteItem {
 public:
  explicit RemoteItem(HWND tree) : process_(tree) {
    memory_ = static_cast<char*>(VirtualAllocEx(process_.get(), nullptr, kSize,
                                                MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!memory_) throw Failure("cannot allocate memory in the folder browser's process");
  }
  ~RemoteItem() { VirtualFreeEx(process_.get(), memory_, 0, MEM_RELEASE); }
  RemoteItem(const RemoteItem&) = delete;
  RemoteItem& operator=(const RemoteItem&) = delete;

  TreeEntry Read(HWND tree, HTREEITEM item) {
    TVITEMW request{};
    request.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_STATE;
    request.hItem = item;
    request.stateMask = TVIS_SELECTED;
    request.pszText = reinterpret_cast<wchar_t*>(memory_ + sizeof(TVITEMW));
    request.cchTextMax = kTextChars;
    SIZE_T moved = 0;
    if (!WriteProcessMemory(process_.get(), memory_, &request, sizeof request, &moved)) {
      throw Failure("cannot write to the folder browser's process");
    }
    DWORD_PTR ok = 0;
    if (!SendMessageTimeoutW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(memory_),
                             SMTO_ABORTIFHUNG, kSendTimeoutMs, &ok) || !ok) {
      throw Failure("the folder tree does not give an item's text");
    }
    TVITEMW answer{};
    wchar_t text[kTextChars + 1] = {};
    if (!ReadProcessMemory(process_.get(), memory_, &answer, sizeof answer, &moved) ||
        !ReadProcessMemory(process_.get(), memory_ + sizeof(TVITEMW), text,
                           kTextChars * sizeof(wchar_t), &moved)) {
      throw Failure("cannot read from the folder browser's process");
    }
    return TreeEntry{0, Narrow(text), (answer.state & TVIS_SELECTED) != 0};
  }

 private:
  static constexpr SIZE_T kSize = sizeof(TVITEMW) + (kTextChars + 1) * sizeof(wchar_t);
  ProcessHandle process_;
  char* memory_ = nullptr;
};

HTREEITEM Next(HWND tree, UINT relation, HTREEITEM item) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item),
                      SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
  return reinterpret_cast<HTREEITEM>(result);
}

// Expanding fills the children in: the browser enumerates a folder when it is opened.
void Expand(HWND tree, HTREEITEM item) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item),
                      SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored);
}

std::vector<HTREEITEM> Children(HWND tree, HTREEITEM parent) {
  std::vector<HTREEITEM> items;
  for (HTREEITEM item = Next(tree, TVGN_CHILD, parent); item; item = Next(tree, TVGN_NEXT, item)) {
    items.push_back(item);
  }
  return items;
}

std::vector<HTREEITEM> Roots(HWND tree) {
  std::vector<HTREEITEM> items;
  for (HTREEITEM item = Next(tree, TVGN_ROOT, nullptr); item; item = Next(tree, TVGN_NEXT, item)) {
    items.push_back(item);
  }
  return items;
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// A drive shows as "C:" or with a label, "Local Disk (C:)".
bool IsDriveItem(const std::string& text, const std::string& drive) {
  std::string lower = Lower(text);
  return lower == drive || lower == drive + "\\" || lower.find("(" + drive + ")") != std::string::npos;
}

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '\\' || c == '/') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

std::string ChildNames(HWND tree, RemoteItem& remote, HTREEITEM parent) {
  std::string names;
  for (HTREEITEM child : Children(tree, parent)) {
    names += (names.empty() ? "" : ", ") + remote.Read(tree, child).text;
  }
  return names.empty() ? "(none)" : names;
}

// The drive sits two levels below the root (Desktop, then My Computer). Each item is
// expanded only after its whole level has been looked at, and the search stops at the
// first match, so that siblings such as Wine's view of the Unix root stay closed.
HTREEITEM FindDrive(HWND tree, RemoteItem& remote, const std::string& drive) {
  std::vector<HTREEITEM> level = Roots(tree);
  for (int depth = 0; depth < 3 && !level.empty(); ++depth) {
    for (HTREEITEM item : level) {
      if (IsDriveItem(remote.Read(tree, item).text, drive)) return item;
    }
    if (depth == 2) break;
    std::vector<HTREEITEM> below;
    for (HTREEITEM item : level) {
      Expand(tree, item);
      for (HTREEITEM child : Children(tree, item)) {
        if (IsDriveItem(remote.Read(tree, child).text, drive)) return child;
        below.push_back(child);
      }
    }
    level = below;
  }
  return nullptr;
}

void ReadSubtree(HWND tree, RemoteItem& remote, HTREEITEM item, int depth,
                 std::vector<TreeEntry>& out) {
  TreeEntry entry = remote.Read(tree, item);
  entry.depth = depth;
  out.push_back(entry);
  for (HTREEITEM child : Children(tree, item)) ReadSubtree(tree, remote, child, depth + 1, out);
}

}  // namespace

std::vector<TreeEntry> ReadTree(HWND tree) {
  RemoteItem remote(tree);
  std::vector<TreeEntry> entries;
  for (HTREEITEM root : Roots(tree)) ReadSubtree(tree, remote, root, 0, entries);
  return entries;
}

void SelectFolderInTree(HWND tree, const std::string& path) {
  std::vector<std::string> parts = SplitPath(path);
  if (parts.empty() || parts[0].size() != 2 || parts[0][1] != ':') {
    throw UsageError("the folder must be a full path with a drive letter: " + path);
  }
  RemoteItem remote(tree);
  HTREEITEM item = FindDrive(tree, remote, Lower(parts[0]));
  if (!item) throw Failure("the folder tree shows no drive " + parts[0]);
  for (size_t i = 1; i < parts.size(); ++i) {
    Expand(tree, item);
    HTREEITEM match = nullptr;
    for (HTREEITEM child : Children(tree, item)) {
      if (Lower(remote.Read(tree, child).text) == Lower(parts[i])) match = child;
    }
    if (!match) {
      throw Failure("the folder tree has no \"" + parts[i] + "\" under \"" +
                    remote.Read(tree, item).text + "\"; it shows " + ChildNames(tree, remote, item));
    }
    item = match;
  }
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item), SMTO_ABORTIFHUNG,
                      kSendTimeoutMs, &ignored);
  SendMessageTimeoutW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item),
                      SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored);
  if (!remote.Read(tree, item).selected) {
    throw Failure("the folder tree did not select " + path);
  }
}

}  // namespace tkdriver
