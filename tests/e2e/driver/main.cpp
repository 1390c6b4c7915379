// tkdriver [--timeout MS] COMMAND ARGS...
// Exit codes: 0 done, 1 the command failed (one line on stderr says why), 2 bad arguments.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>

#include "driver.h"

namespace {

const char kUsage[] =
    "usage: tkdriver [--timeout MS] COMMAND ARGS...\n"
    "WINDOW is a visible top-level window's exact title, or has:TEXT for the window\n"
    "that holds a control whose text is exactly TEXT. NAME is a control's layout name.\n"
    "  list                        visible top-level windows, one JSON object a line\n"
    "  wait WINDOW                 wait for the window; print it\n"
    "  gone WINDOW                 wait until the window has closed\n"
    "  dump [WINDOW]               the window (or every window) and all its controls\n"
    "  click WINDOW NAME           click a visible, enabled control\n"
    "  press WINDOW TEXT           press the push button labelled TEXT\n"
    "  text WINDOW NAME            print a control's text\n"
    "  set-text WINDOW NAME TEXT   replace a control's text (WM_SETTEXT)\n"
    "  type WINDOW NAME TEXT       select an edit's text and type TEXT over it\n"
    "  close WINDOW                close the window as its title bar does\n"
    "  tree WINDOW                 the expanded items of the window's folder tree\n"
    "  select-folder WINDOW PATH   select PATH in the window's folder tree\n"
    "  record-url FILE URL         append URL to FILE (the tests' browser stand-in)\n"
    "  attrib PATH +h|-h|+s|-s...  set or clear the hidden and system attributes\n"
    "  drive-type ROOT             the drive's type as GetDriveType reports it (e.g. D:\\)\n"
    "  launch COMMAND-LINE         run a program with this exact command line, wait for\n"
    "                              it and print its exit code\n";

// The console's arguments arrive in the ANSI code page; the driver works in UTF-8.
std::string ToUtf8(const char* ansi) {
  int n = MultiByteToWideChar(CP_ACP, 0, ansi, -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(n > 0 ? n - 1 : 0), L'\0');
  if (n > 1) MultiByteToWideChar(CP_ACP, 0, ansi, -1, wide.data(), n);
  return tkdriver::Narrow(wide);
}

}  // namespace

int main(int argc, char** argv) {
  // Lines end in "\n" alone, as the harness on Linux reads them.
  _setmode(_fileno(stdout), _O_BINARY);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(ToUtf8(argv[i]));
  DWORD timeout_ms = 10000;
  try {
    if (args.size() >= 2 && args[0] == "--timeout") {
      char* end = nullptr;
      timeout_ms = std::strtoul(args[1].c_str(), &end, 10);
      if (!end || *end) throw tkdriver::UsageError("--timeout takes milliseconds");
      args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty()) throw tkdriver::UsageError("no command given");
    std::string command = args.front();
    args.erase(args.begin());
    return tkdriver::RunCommand(command, args, timeout_ms);
  } catch (const tkdriver::UsageError& e) {
    std::fprintf(stderr, "tkdriver: %s\n%s", e.what(), kUsage);
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tkdriver: %s\n", e.what());
    return 1;
  }
}
