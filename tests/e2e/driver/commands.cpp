// The driver's commands. Each waits up to the timeout for what it acts on, does one thing,
// and prints what the harness needs to check it.
#include <cstdio>
#include <functional>
#include <map>

#include "driver.h"

namespace tkdriver {
namespace {

using Args = std::vector<std::string>;

int Depth(HWND window) {
  int depth = 0;
  for (HWND parent = GetAncestor(window, GA_PARENT); parent && parent != GetDesktopWindow();
       parent = GetAncestor(parent, GA_PARENT)) {
    ++depth;
  }
  return depth;
}

void DumpWindow(HWND top) {
  PrintLine(DescribeWindow(top, 0));
  for (HWND child : Descendants(top)) PrintLine(DescribeWindow(child, Depth(child)));
}

// Waits until the window given by `window_name` shows a control that `find` returns.
HWND WaitControl(const std::string& window_name, const std::string& what, const Deadline& deadline,
                 bool must_be_visible, const std::function<HWND(HWND)>& find) {
  HWND top = WaitTopLevel(window_name, deadline);
  HWND control = WaitFor(deadline, [&]() -> HWND {
    if (!IsWindow(top)) top = FindTopLevel(window_name);
    HWND found = top ? find(top) : nullptr;
    return found && (!must_be_visible || IsWindowVisible(found)) ? found : nullptr;
  });
  if (!control) {
    throw Failure("window \"" + window_name + "\" shows no " + what + " after " +
                  std::to_string(deadline.timeout) + " ms");
  }
  return control;
}

HWND WaitNamed(const std::string& window_name, const std::string& name, const Deadline& deadline,
               bool must_be_visible) {
  return WaitControl(window_name, (must_be_visible ? "visible control " : "control ") + name, deadline,
                     must_be_visible, [&](HWND top) { return FindByLayoutName(top, name); });
}

void Expect(const Args& args, size_t count, const char* usage) {
  if (args.size() != count) throw UsageError(std::string("usage: tkdriver ") + usage);
}

int List(const Args& args, DWORD) {
  Expect(args, 0, "list");
  for (HWND top : TopLevelWindows()) PrintLine(DescribeWindow(top, 0));
  return 0;
}

int Wait(const Args& args, DWORD timeout) {
  Expect(args, 1, "wait WINDOW");
  PrintLine(DescribeWindow(WaitTopLevel(args[0], Deadline(timeout)), 0));
  return 0;
}

int Gone(const Args& args, DWORD timeout) {
  Expect(args, 1, "gone WINDOW");
  Deadline deadline(timeout);
  while (FindTopLevel(args[0])) {
    if (deadline.Passed()) {
      throw Failure("window \"" + args[0] + "\" still open after " + std::to_string(timeout) + " ms");
    }
    Sleep(50);
  }
  return 0;
}

int Dump(const Args& args, DWORD timeout) {
  if (args.size() > 1) throw UsageError("usage: tkdriver dump [WINDOW]");
  if (args.size() == 1) {
    DumpWindow(WaitTopLevel(args[0], Deadline(timeout)));
  } else {
    for (HWND top : TopLevelWindows()) DumpWindow(top);
  }
  return 0;
}

int ClickNamed(const Args& args, DWORD timeout) {
  Expect(args, 2, "click WINDOW NAME");
  HWND control = WaitNamed(args[0], args[1], Deadline(timeout), true);
  if (!IsWindowEnabled(control)) throw Failure("control " + args[1] + " is disabled");
  Click(control);
  return 0;
}

int Press(const Args& args, DWORD timeout) {
  Expect(args, 2, "press WINDOW BUTTON-TEXT");
  Click(WaitControl(args[0], "button \"" + args[1] + "\"", Deadline(timeout), true,
                    [&](HWND top) { return FindButtonByText(top, args[1]); }));
  return 0;
}

int Text(const Args& args, DWORD timeout) {
  Expect(args, 2, "text WINDOW NAME");
  PrintLine(WindowText(WaitNamed(args[0], args[1], Deadline(timeout), false)));
  return 0;
}

int SetText(const Args& args, DWORD timeout) {
  Expect(args, 3, "set-text WINDOW NAME TEXT");
  HWND control = WaitNamed(args[0], args[1], Deadline(timeout), true);
  std::wstring text = Widen(args[2]);
  DWORD_PTR ok = 0;
  if (!SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                           SMTO_ABORTIFHUNG, 5000, &ok) || !ok) {
    throw Failure("control " + args[1] + " refused its new text");
  }
  return 0;
}

// Types into an edit as the keyboard would: the old text is selected and every character
// arrives as WM_CHAR, so the edit's own rules (lower case, length) apply as to a user.
int Type(const Args& args, DWORD timeout) {
  Expect(args, 3, "type WINDOW NAME TEXT");
  HWND control = WaitNamed(args[0], args[1], Deadline(timeout), true);
  PostMessageW(control, EM_SETSEL, 0, -1);
  for (wchar_t c : Widen(args[2])) PostMessageW(control, WM_CHAR, c, 1);
  return 0;
}

// The title bar's close button and the system menu's Close both arrive as SC_CLOSE.
int Close(const Args& args, DWORD timeout) {
  Expect(args, 1, "close WINDOW");
  PostMessageW(WaitTopLevel(args[0], Deadline(timeout)), WM_SYSCOMMAND, SC_CLOSE, 0);
  return 0;
}

HWND WaitTree(const std::string& window_name, const Deadline& deadline) {
  return WaitControl(window_name, "folder tree", deadline, true,
                     [](HWND top) { return FindDescendantOfClass(top, "SysTreeView32"); });
}

int Tree(const Args& args, DWORD timeout) {
  Expect(args, 1, "tree WINDOW");
  for (const TreeEntry& entry : ReadTree(WaitTree(args[0], Deadline(timeout)))) {
    PrintLine("{\"depth\": " + std::to_string(entry.depth) + ", \"text\": " +
              JsonString(entry.text) + ", \"selected\": " + (entry.selected ? "true" : "false") +
              "}");
  }
  return 0;
}

int SelectFolder(const Args& args, DWORD timeout) {
  Expect(args, 2, "select-folder WINDOW PATH");
  SelectFolderInTree(WaitTree(args[0], Deadline(timeout)), args[1]);
  return 0;
}

// The tests' stand-in for a web browser: the prefix opens http and https addresses with
// this command, which appends the address to a file instead of going on the network.
int RecordUrl(const Args& args, DWORD) {
  Expect(args, 2, "record-url FILE URL");
  HANDLE file = CreateFileW(Widen(args[0]).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw Failure("cannot open " + args[0]);
  std::string line = args[1] + "\n";
  DWORD written = 0;
  BOOL ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
  if (!ok || written != line.size()) throw Failure("cannot write " + args[0]);
  return 0;
}

// Starts a program with exactly the given command line and waits for it to end; prints its
// exit code. Wine's own loader rewrites the program path (slashes become backslashes),
// so a command line that must reach the program untouched goes through here.
int Launch(const Args& args, DWORD) {
  Expect(args, 1, "launch COMMAND-LINE");
  std::wstring command_line = Widen(args[0]);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    throw Failure("cannot start " + args[0] + " (error " + std::to_string(GetLastError()) + ")");
  }
  CloseHandle(process.hThread);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exit_code = 0;
  GetExitCodeProcess(process.hProcess, &exit_code);
  CloseHandle(process.hProcess);
  PrintLine(std::to_string(exit_code));
  return 0;
}

// The type of a drive as programs see it (GetDriveType): lets a scenario prove that its
// set-up of Wine's drives took effect before it blames the installer.
int DriveType(const Args& args, DWORD) {
  Expect(args, 1, "drive-type ROOT");
  static const char* const kNames[] = {"unknown", "no-root-dir", "removable", "fixed",
                                       "remote", "cdrom", "ramdisk"};
  UINT type = GetDriveTypeW(Widen(args[0]).c_str());
  PrintLine(type < 7 ? kNames[type] : std::to_string(type));
  return 0;
}

// Sets or clears the hidden and system attributes, as "attrib" does.
int Attrib(const Args& args, DWORD) {
  if (args.size() < 2) throw UsageError("usage: tkdriver attrib PATH +h|-h|+s|-s ...");
  std::wstring path = Widen(args[0]);
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) throw Failure("no such file: " + args[0]);
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& change = args[i];
    DWORD bit = change.size() == 2 && (change[1] == 'h' || change[1] == 'H') ? FILE_ATTRIBUTE_HIDDEN
                : change.size() == 2 && (change[1] == 's' || change[1] == 'S') ? FILE_ATTRIBUTE_SYSTEM
                                                                               : 0;
    if (!bit || (change[0] != '+' && change[0] != '-')) throw UsageError("bad attribute " + change);
    attributes = change[0] == '+' ? attributes | bit : attributes & ~bit;
  }
  if (attributes == 0) attributes = FILE_ATTRIBUTE_NORMAL;
  if (!SetFileAttributesW(path.c_str(), attributes)) throw Failure("cannot set attributes of " + args[0]);
  return 0;
}

}  // namespace

void PrintLine(const std::string& line) {
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

int RunCommand(const std::string& command, const Args& args, DWORD timeout_ms) {
  static const std::map<std::string, int (*)(const Args&, DWORD)> commands = {
      {"list", List},
      {"wait", Wait},
      {"gone", Gone},
      {"dump", Dump},
      {"click", ClickNamed},
      {"press", Press},
      {"text", Text},
      {"set-text", SetText},
      {"type", Type},
      {"close", Close},
      {"tree", Tree},
      {"select-folder", SelectFolder},
      {"record-url", RecordUrl},
      {"attrib", Attrib},
      {"launch", Launch},
      {"drive-type", DriveType},
  };
  auto found = commands.find(command);
  if (found == commands.end()) throw UsageError("unknown command " + command);
  return found->second(args, timeout_ms);
}

}  // namespace tkdriver
