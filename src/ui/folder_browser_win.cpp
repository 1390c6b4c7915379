// The system's folder browser, opened on the folder given and owned by the main window.
#include <windows.h>
#include <shlobj.h>

#include <memory>

#include "ui/application_win.h"
#include "ui/ui_win.h"

namespace tarnwick::ui {
namespace {

struct PidlFree {
  void operator()(ITEMIDLIST* pidl) const { CoTaskMemFree(pidl); }
};
using OwnedPidl = std::unique_ptr<ITEMIDLIST, PidlFree>;

// Selects the initial folder once the dialog exists. Sends only; nothing here can throw.
int CALLBACK OnBrowseEvent(HWND dialog, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, data);
  return 0;
}

}  // namespace

Bytes BrowseForFolder(const Bytes& caption, const Bytes& initialFolder) {
  char displayName[MAX_PATH] = {};
  BROWSEINFOA info{};
  HWND main = MainWindow();
  info.hwndOwner = main && IsWindowVisible(main) ? main : BoxOwner();
  info.pszDisplayName = displayName;
  info.lpszTitle = caption.c_str();
  info.ulFlags = BIF_NEWDIALOGSTYLE | BIF_RETURNONLYFSDIRS;
  info.lpfn = OnBrowseEvent;
  info.lParam = reinterpret_cast<LPARAM>(initialFolder.c_str());
  OwnedPidl chosen(SHBrowseForFolderA(&info));
  if (!chosen) return initialFolder;
  char path[MAX_PATH] = {};
  if (!SHGetPathFromIDListA(chosen.get(), path)) return initialFolder;
  return path;
}

}  // namespace tarnwick::ui
