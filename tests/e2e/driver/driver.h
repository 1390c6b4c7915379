#pragma once
// tkdriver: drives the installer's windows from outside, the way an accessibility tool
// would, for the end-to-end scenarios. It only reads and posts window messages: it never
// links the product's code, so a fault in the product cannot hide behind a shared helper.
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace tkdriver {

// A failed command: the message is printed as one line and the driver exits with 1.
class Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Wrong arguments: printed with the usage, exit code 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// How long a command waits for a window or control to appear (milliseconds).
struct Deadline {
  explicit Deadline(DWORD timeout_ms) : timeout(timeout_ms), start(GetTickCount()) {}
  bool Passed() const { return GetTickCount() - start >= timeout; }
  DWORD timeout;
  DWORD start;
};

// Polls `probe` every 50 ms until it returns a non-null window or the deadline passes.
template <class Probe>
HWND WaitFor(const Deadline& deadline, Probe probe) {
  for (;;) {
    if (HWND found = probe()) return found;
    if (deadline.Passed()) return nullptr;
    Sleep(50);
  }
}

// ---- windows.cpp: finding windows and reading them ----

// Text conversions at the UTF-16 boundary; the driver's own strings are UTF-8.
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);

std::string WindowText(HWND window);  // WM_GETTEXT, through the window's own procedure
std::string ClassName(HWND window);
std::string LayoutName(HWND window);  // the "TarnwickName" property's atom, or empty
RECT ScreenRect(HWND window);

// Visible top-level windows. A window is named either by an exact title or "has:TEXT", a window
// with a descendant whose text is exactly TEXT (the folder browser has no title of ours).
std::vector<HWND> TopLevelWindows();
std::vector<HWND> Descendants(HWND window);
HWND FindTopLevel(const std::string& window_name);
HWND WaitTopLevel(const std::string& window_name, const Deadline& deadline);

// Controls of a window: by layout name, or a push button by its text ("&" ignored).
HWND FindByLayoutName(HWND top, const std::string& name);
HWND FindButtonByText(HWND top, const std::string& text);
HWND FindDescendantOfClass(HWND top, const std::string& class_name);

// Posts a left click to the control's centre (BM_CLICK for system buttons), after making
// sure that no other window covers that point. Posting, not sending, because the click
// may open a modal box whose loop would hold a sent message.
void Click(HWND control);

// ---- json.cpp: one JSON object per line, ASCII only ----
std::string JsonString(const std::string& utf8);
std::string DescribeWindow(HWND window, int depth);

// ---- folder_tree.cpp: the system folder browser's tree, read across processes ----
struct TreeEntry {
  int depth;
  std::string text;
  bool selected;
};
std::vector<TreeEntry> ReadTree(HWND tree);  // the items currently expanded
void SelectFolderInTree(HWND tree, const std::string& path);

// ---- commands.cpp ----
int RunCommand(const std::string& command, const std::vector<std::string>& args, DWORD timeout_ms);
void PrintLine(const std::string& line);

}  // namespace tkdriver
