#include "platform/platform_win.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include "ui/ui_win.h"
#include "util/files_win.h"
#include "util/paths.h"
#include "util/shortcut_win.h"

namespace tarnwick {

bool Win32Platform::IsWindows64() { return win::IsWindows64(); }
Bytes Win32Platform::GetSpecialFolder(int csidl) { return win::GetSpecialFolder(csidl); }
Bytes Win32Platform::CommandLine() { return GetCommandLineA(); }
unsigned Win32Platform::DriveType(const Bytes& root) { return win::DriveType(root); }

Bytes Win32Platform::ThousandsSeparator() {
  char separator[8] = {};
  if (!GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator)) return ",";
  return separator;
}

Bytes Win32Platform::CurrentDirectory() { return win::CurrentDirectory(); }
bool Win32Platform::FileExists(const Bytes& path) { return win::FileExists(path); }
bool Win32Platform::FolderExists(const Bytes& path) { return win::FolderExists(path); }
bool Win32Platform::CreateFolder(const Bytes& path) { return win::CreateFolder(path); }
std::vector<FolderEntry> Win32Platform::ListFolder(const Bytes& pattern) { return win::ListFolder(pattern); }
bool Win32Platform::WriteFileBytes(const Bytes& path, const Bytes& bytes) { return win::WriteFileBytes(path, bytes); }
bool Win32Platform::SetFileDosDate(const Bytes& path, int32_t dosDateTime) {
  return win::SetFileDosDate(path, dosDateTime);
}
bool Win32Platform::RemoveFile(const Bytes& path) { return win::RemoveFile(path); }
bool Win32Platform::RecycleFiles(const Bytes& mask) { return win::RecycleFiles(mask); }

std::optional<std::string_view> Win32Platform::FindProgramResource(const Bytes& name) {
  // Resource names are stored in upper case; looking up the upper-case form matches any case.
  HMODULE self = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(self, UpperCase(name).c_str(), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  if (!found) return std::nullopt;
  HGLOBAL loaded = LoadResource(self, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return std::nullopt;
  return std::string_view(static_cast<const char*>(data), SizeofResource(self, found));
}

void Win32Platform::OpenWebPage(const Bytes& address) {
  ShellExecuteA(nullptr, "Open", address.c_str(), "", "", SW_SHOWNORMAL);
}

void Win32Platform::ComInitialize() { CoInitialize(nullptr); }
void Win32Platform::ComUninitialize() { CoUninitialize(); }
void Win32Platform::WriteShellLink(const ShellLinkFields& fields) { WriteShellLinkObject(fields); }

Bytes Win32Platform::BrowseForFolder(const Bytes& caption, const Bytes& initialFolder) {
  return ui::BrowseForFolder(caption, initialFolder);
}

void Win32Platform::ShowNote(const Bytes& text) { ui::ShowNoteBox("", text); }
void Win32Platform::ShowNoteTitled(const Bytes& title, const Bytes& text) { ui::ShowNoteBox(title, text); }
int Win32Platform::AskBox(const Bytes& text, const Bytes& caption, unsigned flags) {
  return ui::AskBoxDialog(text, caption, flags);
}
int Win32Platform::AskDialog(const Bytes& text, int kind, unsigned buttons) {
  return ui::AskDialogBox(text, kind, buttons);
}

std::unique_ptr<FormView> Win32Platform::CreateForm(const Bytes& layout, FormEvents& events) {
  return ui::CreateForm(layout, events);
}
void Win32Platform::ProcessMessages() { ui::ProcessMessages(); }
void Win32Platform::ProcessMessagesOrWait() { ui::ProcessMessagesOrWait(); }

}  // namespace tarnwick
