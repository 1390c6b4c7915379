// Finding the installer's windows and controls, and reading what they show.
#include "driver.h"

namespace tkdriver {
namespace {

// A window that does not answer within this time is reported as hung instead of
// holding the driver (and the scenario) forever.
constexpr UINT kSendTimeoutMs = 5000;

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM list) {
  if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

// Button captions may carry an accelerator ("&OK"); a user reads them without it.
std::string WithoutAmpersands(const std::string& text) {
  std::string plain;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    plain += text[i];
  }
  return plain;
}

// The text the window manager keeps for a window, read without a message: finding a
// window must not wait on a process that is busy or stuck.
std::string StoredText(HWND window) {
  wchar_t text[1024] = {};
  InternalGetWindowText(window, text, 1024);
  return Narrow(text);
}

bool HasDescendantWithText(HWND top, const std::string& text) {
  for (HWND child : Descendants(top)) {
    if (StoredText(child) == text) return true;
  }
  return false;
}

}  // namespace

std::wstring Widen(const std::string& utf8) {
  if (utf8.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return wide;
}

std::string Narrow(const std::wstring& wide) {
  if (wide.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string utf8(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n,
                      nullptr, nullptr);
  return utf8;
}

std::string WindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                           &length)) {
    throw Failure("window " + ClassName(window) + " does not answer WM_GETTEXTLENGTH");
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied)) {
    throw Failure("window " + ClassName(window) + " does not answer WM_GETTEXT");
  }
  text.resize(copied);
  return Narrow(text);
}

std::string ClassName(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return Narrow(name);
}

std::string LayoutName(HWND window) {
  auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropA(window, "TarnwickName")));
  if (atom == 0) return {};
  char name[256] = {};
  UINT n = GlobalGetAtomNameA(atom, name, sizeof name);
  return std::string(name, n);
}

RECT ScreenRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> list;
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&list));
  return list;
}

std::vector<HWND> Descendants(HWND window) {
  std::vector<HWND> list;
  EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&list));
  return list;
}

HWND FindTopLevel(const std::string& window_name) {
  const std::string has = "has:";
  for (HWND window : TopLevelWindows()) {
    if (window_name.compare(0, has.size(), has) == 0) {
      if (HasDescendantWithText(window, window_name.substr(has.size()))) return window;
    } else if (StoredText(window) == window_name) {
      return window;
    }
  }
  return nullptr;
}

HWND WaitTopLevel(const std::string& window_name, const Deadline& deadline) {
  HWND found = WaitFor(deadline, [&] { return FindTopLevel(window_name); });
  if (!found) {
    throw Failure("no window \"" + window_name + "\" after " + std::to_string(deadline.timeout) + " ms");
  }
  return found;
}

HWND FindByLayoutName(HWND top, const std::string& name) {
  for (HWND child : Descendants(top)) {
    if (LayoutName(child) == name) return child;
  }
  return nullptr;
}

HWND FindButtonByText(HWND top, const std::string& text) {
  for (HWND child : Descendants(top)) {
    if (lstrcmpiW(Widen(ClassName(child)).c_str(), L"Button") == 0 &&
        WithoutAmpersands(WindowText(child)) == text) {
      return child;
    }
  }
  return nullptr;
}

HWND FindDescendantOfClass(HWND top, const std::string& class_name) {
  for (HWND child : Descendants(top)) {
    if (lstrcmpiW(Widen(ClassName(child)).c_str(), Widen(class_name).c_str()) == 0) return child;
  }
  return nullptr;
}

// A user can click a control only where no other window covers it: the control (or one
// of its children) must be what the screen shows at the point clicked.
void ExpectUncoveredAt(HWND control, POINT screen_point) {
  HWND hit = WindowFromPoint(screen_point);
  if (hit == control || IsChild(control, hit)) return;
  std::string what = hit ? ClassName(hit) : "nothing";
  if (hit && !LayoutName(hit).empty()) what += " " + LayoutName(hit);
  throw Failure("control " + LayoutName(control) + " is covered at its centre by " + what);
}

void Click(HWND control) {
  RECT client{};
  GetClientRect(control, &client);
  POINT centre{(client.right - client.left) / 2, (client.bottom - client.top) / 2};
  POINT on_screen = centre;
  ClientToScreen(control, &on_screen);
  ExpectUncoveredAt(control, on_screen);
  if (lstrcmpiW(Widen(ClassName(control)).c_str(), L"Button") == 0) {
    PostMessageW(control, BM_CLICK, 0, 0);
    return;
  }
  LPARAM at = MAKELPARAM(centre.x, centre.y);
  PostMessageW(control, WM_MOUSEMOVE, 0, at);
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(control, WM_LBUTTONUP, 0, at);
}

}  // namespace tkdriver
