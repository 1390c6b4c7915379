#include "app/startup_gate.h"

#include "platform/message_boxes.h"
#include "ucargo.h"
#include "util/paths.h"

namespace tarnwick {

const char kDosBoxDownloadPage[] = "https://sourceforge.net/projects/dosbox";
const char kWarningCaption[] = "Vexo355 Installer";
const char kWarningText[] =
    "This computer has a 64 bit operating system which cannot directly execute DOS programs.\n\n"
    "Tarnwick cannot run on this operating system except in XP Mode (which requires upgrading to "
    "Windows 7 Professional) or by using the free program, DOSbox, which does not appear to be "
    "installed on this computer.\n\n"
    "Click OK to go to the DOSbox website.  Download, and install DOSbox to it's default location "
    "then start this installer again.";

namespace {

// The product is a 32-bit program: the shell shows it the folder for 32-bit programs as
// "Program Files". Its 64-bit twin has to ask for that folder by its own name.
#if defined(_WIN64)
constexpr int kProgramFilesOf32BitPrograms = kCsidlProgramFilesX86;
#else
constexpr int kProgramFilesOf32BitPrograms = kCsidlProgramFiles;
#endif

bool AskedForTheWarning() { return Contains(LowerCase(Sys().CommandLine()), "/t"); }

}  // namespace

bool FindDosBox(Bytes& dosBoxPath) {
  Bytes base = LowerCase(AddTrailingBackslash(Sys().GetSpecialFolder(kProgramFilesOf32BitPrograms)));
  dosBoxPath.clear();
  for (const FolderEntry& entry : Sys().ListFolder(base + "*.*")) {
    Bytes name = LowerCase(entry.name);
    if (Contains(name, "dosbox")) {
      dosBoxPath = AddTrailingBackslash(base + name) + "dosbox.exe";
      break;
    }
  }
  return !dosBoxPath.empty() && Sys().FileExists(dosBoxPath);
}

bool RunStartupGate() {
  bool refuse = Sys().IsWindows64() ? !FindDosBox(DosBoxPath) || AskedForTheWarning() : AskedForTheWarning();
  if (!refuse) return true;
  if (AskBox(kWarningText, kWarningCaption, kMbOkCancel | kMbIconWarning) == kIdOk) {
    Sys().OpenWebPage(kDosBoxDownloadPage);
  }
  return false;
}

}  // namespace tarnwick
