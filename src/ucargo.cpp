// The installation run (load every payload item, write the files under the progress window,
// finish in the way that fits the machine), the check of the install folder's drive, and
// the test for the maker's menu program beside the install folder.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "fmiProgress.h"
#include "payload/inst_item.h"
#include "payload/load_payload_item.h"
#include "payload/payload_catalogue.h"
#include "platform/message_boxes.h"
#include "platform/platform.h"
#include "product_texts.h"
#include "ucargo.h"
#include "util/folders.h"
#include "util/format.h"
#include "util/paths.h"
#include "util/shortcut.h"

namespace tarnwick {
namespace {

const char kStage[] = "Installing ...";
const char kHostProgram[] = "quen.exe";
const char kMenuProgram[] = "qvmenu.exe";
const char kProgramFile[] = "tkrun.exe";
const char kIconFile[] = "tkmark.ico";
const char kShortcutFile[] = "tkrun.lnk";

const char kLoadError[] = "\r\nError Reading resource item %s, Filename %s";
const char kCancelNote[] = "Installation cancelled. %d of %d files were installed.";
const char kMenuNote[] = "\r\n\r\nTo run %s, start the Corvana Menu program,\r\nand click the %s icon.";
const char kInstalledNote[] = "%s, version %s, was installed successfully.";
const char kHostNote[] = "To run %s, first run Ostramo, then press the function key %s.";
const char kShortcutQuestion[] =
    "Normally %s is run from inside Ostramo by pressing the function key, %s. If you are not \n"
    "installing Ostramo, you need a shortcut on the \ndesktop to run this wheel program. \n\n"
    "Click NO if you do NOT want the %s shortcut created.";
const char kShortcutMadeNote[] = "To run %s, click the %s icon on your desktop.";
const char kShortcutDeclinedNote[] = "To run %s, start Ostramo and press function key %s.";
// Write failures: one line each, shown together in place of the success.
const char kFolderNotCreated[] = "The folder %s could not be created.";
const char kFileNotWritten[] = "The file %s could not be written.";

const char kDriveProblem[] = "Install Directory is not on a valid device, ";

struct RunOutcome {
  bool installed = false;
  Bytes note;  // the final note; empty when the run has nothing more to say
};

void AppendLine(Bytes& lines, const Bytes& line) {
  if (!lines.empty()) lines += "\r\n";
  lines += line;
}

int32_t ItemCount(const Bytes& catalogue) {
  return 1 + static_cast<int32_t>(std::count(catalogue.begin(), catalogue.end(), ','));
}

// Loads every item of the catalogue into `items`, in catalogue order, without stopping at
// one that comes back empty. Returns one line per empty item; adds the others' sizes to
// `total`. Processes no messages: clicks wait in the queue until the first file is written.
Bytes LoadItems(std::vector<tInstItem>& items, uint32_t& total) {
  Bytes errors;
  Bytes catalogue = kPayloadCatalogue;
  for (tInstItem& item : items) {
    Bytes name = SplitFirst(catalogue, ",");
    item.Content = LoadPayloadItem(name, item.FileName, item.FileDate);
    if (item.Content.empty()) {
      errors += Format(kLoadError, {name, item.FileName});
    } else {
      total += static_cast<uint32_t>(item.Content.size());
    }
  }
  return errors;
}

struct WriteOutcome {
  int32_t filesWritten = 0;
  Bytes failures;  // one line per file that could not be written
  bool cancelled = false;
};

// Writes the items into the folder, each with its stored date, reporting every file to the
// progress window, whose SetPosition serves Pause, Cancel and close requests. Stops after
// the file during which a cancel came. A file that cannot be written keeps no date.
WriteOutcome WriteItems(const std::vector<tInstItem>& items, const Bytes& folder, TInstProgressForm& progress,
                        uint32_t total) {
  WriteOutcome outcome;
  progress.SetTotalBytes(static_cast<int32_t>(total));
  uint32_t written = 0;
  for (const tInstItem& item : items) {
    const Bytes path = folder + item.FileName;
    progress.SetCurrentFile(path);
    if (WriteFileBytes(path, item.Content)) {
      Sys().SetFileDosDate(path, item.FileDate);  // a date that cannot be set is not worth a report
      ++outcome.filesWritten;
    } else {
      AppendLine(outcome.failures, Format(kFileNotWritten, {path}));
    }
    written += static_cast<uint32_t>(item.Content.size());
    progress.SetPosition(static_cast<int32_t>(written));
    if (progress.Cancelled()) {
      outcome.cancelled = true;
      break;
    }
  }
  return outcome;
}

// 32-bit Windows runs Tarnwick itself: from Ostramo where it is installed, else from a
// desktop shortcut if the user wants one. Returns the final note.
Bytes CompleteOn32BitWindows(const Bytes& folder, const Bytes& desktop) {
  Bytes note = Format(kInstalledNote, {kProductName, kProductVersion});
  if (Sys().FileExists(folder + kHostProgram)) {
    return note + "\r\n\r\n" + Format(kHostNote, {kProductName, kHostFunctionKey});
  }
  note += "\n\n" + Format(kShortcutQuestion, {kProductName, kHostFunctionKey, kProductMark});
  if (AskDialog(note, kDialogWarning, kButtonYes | kButtonNo) == kIdYes) {
    CreateShortcut(desktop + kShortcutFile, folder + kProgramFile, "", kProductName, folder + kIconFile, 0, 0);
    return Format(kShortcutMadeNote, {kProductName, kProductMark});
  }
  return Format(kShortcutDeclinedNote, {kProductName, kHostFunctionKey});
}

// Everything that happens while the progress window is up. The window and the item list
// are released on every way out, exceptions included: the window first, then the items.
RunOutcome RunUnderProgressWindow(const Bytes& folder) {
  std::vector<tInstItem> items;
  TInstProgressForm progress;
  progress.SetProgramName(kProductName);
  progress.SetStage(kStage);
  progress.Show();

  const int32_t count = ItemCount(kPayloadCatalogue);
  items.resize(static_cast<size_t>(count));
  uint32_t total = 0;
  RunOutcome outcome;
  outcome.note = LoadItems(items, total);
  if (!outcome.note.empty()) {
    // The first line's carriage return goes, its line feed stays, here and in the final note.
    if (outcome.note[0] == '\r') outcome.note.erase(0, 1);
    ShowNote(outcome.note);
  }
  outcome.installed = outcome.note.empty();

  if (outcome.installed) {
    WriteOutcome writing = WriteItems(items, folder, progress, total);
    // The finished state announces success: it is no place for files that are missing.
    if (writing.failures.empty()) progress.ShowFinished();
    if (writing.cancelled || progress.Cancelled()) {
      outcome.installed = false;
      outcome.note = Format(kCancelNote, {static_cast<long long>(writing.filesWritten), static_cast<long long>(count)});
    }
    if (!writing.failures.empty()) {
      outcome.installed = false;
      outcome.note = writing.failures + (outcome.note.empty() ? "" : "\r\n\r\n" + outcome.note);
    }
  }

  const Bytes desktop = AddTrailingBackslash(Sys().GetSpecialFolder(kCsidlDesktop));
  if (outcome.installed) {
    if (HasMenuProgram(folder)) {
      outcome.note += Format(kMenuNote, {kProductName, kProductMark});
    } else if (Sys().IsWindows64()) {
      SetUpDosBox(folder, desktop);  // shows its own note
    } else {
      outcome.note = CompleteOn32BitWindows(folder, desktop);
    }
  }
  return outcome;
}

// A drive check's collected phrases ("..., ") as one sentence ending in a full stop.
Bytes PhrasesAsSentence(Bytes problems) {
  problems.pop_back();          // the blank
  problems.back() = '.';        // the comma
  if (!problems.empty() && problems[0] == '\r') problems.erase(0, 2);
  return problems;
}

}  // namespace

bool ValidateInstallFolder(const Bytes& folder) {
  Bytes problems;
  const unsigned driveType = Sys().DriveType(folder.substr(0, 3));
  if (driveType < kDriveRemovable || driveType > kDriveRemote) problems += kDriveProblem;
  if (problems.empty()) return true;
  ShowNote(PhrasesAsSentence(problems));
  return false;
}

bool HasMenuProgram(const Bytes& folder) {
  const Bytes bare = StripTrailingBackslashes(folder);
  const size_t cut = bare.rfind('\\');
  if (cut == Bytes::npos) return false;
  const Bytes parent = bare.substr(0, cut + 1);
  if (parent.size() <= 3) return false;  // a drive root such as c:\ never counts
  return Sys().FileExists(parent + kMenuProgram);
}

bool InstallPayload(Bytes folder) {
  folder = AddTrailingBackslash(folder);
  if (!MakeFolder(folder)) {
    // Nothing could be written into it: say so instead of reporting files that are not there.
    ShowNoteTitled(kProductName, Format(kFolderNotCreated, {StripTrailingBackslashes(folder)}));
    return false;
  }
  const RunOutcome outcome = RunUnderProgressWindow(folder);
  if (!outcome.note.empty()) ShowNoteTitled(kProductName, outcome.note);
  return outcome.installed;
}

}  // namespace tarnwick
