// The driver's listings: one JSON object per line, escaped to ASCII so that the harness
// reads them the same whatever the console's code page.
#include <cstdio>

#include "driver.h"

namespace tkdriver {

std::string JsonString(const std::string& utf8) {
  std::string out = "\"";
  for (wchar_t c : Widen(utf8)) {
    if (c == L'"' || c == L'\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      out += escaped;
    }
  }
  return out + "\"";
}

std::string DescribeWindow(HWND window, int depth) {
  RECT r = ScreenRect(window);
  RECT client{};
  GetClientRect(window, &client);
  // Position within the parent's client area: the figure a layout gives for a control.
  HWND parent = GetAncestor(window, GA_PARENT);
  POINT at{r.left, r.top};
  if (parent && parent != GetDesktopWindow()) {
    MapWindowPoints(HWND_DESKTOP, parent, &at, 1);
  } else {
    parent = nullptr;
  }
  char handle[32];
  std::snprintf(handle, sizeof handle, "%#llx", static_cast<unsigned long long>(
                                                    reinterpret_cast<UINT_PTR>(window)));
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  auto number = [](const char* key, long value) {
    return std::string(", \"") + key + "\": " + std::to_string(value);
  };
  return std::string("{\"hwnd\": \"") + handle + "\"" + number("depth", depth) +
         number("pid", static_cast<long>(pid)) + ", \"class\": " + JsonString(ClassName(window)) +
         ", \"name\": " + JsonString(LayoutName(window)) +
         ", \"parent\": " + JsonString(parent ? LayoutName(parent) : std::string()) +
         ", \"text\": " + JsonString(WindowText(window)) +
         ", \"visible\": " + (IsWindowVisible(window) ? "true" : "false") +
         ", \"enabled\": " + (IsWindowEnabled(window) ? "true" : "false") +
         number("x", r.left) + number("y", r.top) + number("w", r.right - r.left) +
         number("h", r.bottom - r.top) + number("px", at.x) + number("py", at.y) +
         number("cw", client.right) + number("ch", client.bottom) + "}";
}

}  // namespace tkdriver
