// The DOSBox set-up on Wine's real file system and shell: a folder that holds the sample
// payload (written from this program's own payload resources) ends with dosbox.conf, the
// two desktop shortcuts and its old .conf files in the Recycle Bin.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "common/shell_link_reader.h"
#include "payload/load_payload_item.h"
#include "payload/payload_catalogue.h"
#include "platform/platform_win.h"
#include "scratch_folder.h"
#include "ucargo.h"
#include "util/paths.h"

namespace tarnwick {
namespace {

using test::FileThere;
using test::ReadWhole;
using test::ScratchFolder;
using test::WriteWhole;

// The real machine, with the closing note kept instead of shown.
class NoteKeepingPlatform : public Win32Platform {
 public:
  void ShowNote(const Bytes& text) override { notes.push_back(text); }
  std::vector<Bytes> notes;
};

// Writes the nine payload items into the folder (a folder prefix) as the run would.
void WriteSamplePayload(Platform& platform, const Bytes& folder) {
  Bytes catalogue = kPayloadCatalogue;
  while (!catalogue.empty()) {
    Bytes name = SplitFirst(catalogue, ",");
    Bytes fileName;
    int32_t fileDate = 0;
    Bytes content = LoadPayloadItem(name, fileName, fileDate);
    ASSERT_TRUE(platform.WriteFileBytes(folder + fileName, content)) << fileName;
  }
}

// Every file in the Trash folder whose name starts with `stem` and whose bytes are `content`.
int TrashedCopies(const Bytes& trash, const Bytes& stem, const Bytes& content) {
  int found = 0;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((trash + stem + "*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    if (ReadWhole(trash + entry.cFileName) == content) ++found;
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  return found;
}

struct FolderCase {
  const char* name;
  const char* folderName;     // the install folder inside the scratch folder
  const char* mountSpelling;  // how the mount line must spell that name for DOSBox
  bool quoted;                // whether the mount line and -conf need quotation marks
};

void PrintTo(const FolderCase& c, std::ostream* os) { *os << c.name; }

class Win32SetUpDosBoxTest : public ::testing::TestWithParam<FolderCase> {
 protected:
  void SetUp() override { DosBoxPath = "c:\\program files (x86)\\dosbox-0.74\\dosbox.exe"; }
  void TearDown() override { DosBoxPath.clear(); }

  NoteKeepingPlatform platform;
  ScopedPlatform installed{platform};
  ScratchFolder scratch;
};

TEST_P(Win32SetUpDosBoxTest, LeavesTheConfBothShortcutsAndTheOldConfsInTheTrash) {
  const FolderCase& c = GetParam();
  const Bytes folder = scratch.Folder(c.folderName);
  const Bytes desktop = scratch.Folder("Desktop");
  WriteSamplePayload(platform, folder);
  ASSERT_TRUE(FileThere(folder + "quenw.exe"));

  // Unique contents, so that the Trash shows these very files and not older ones.
  const Bytes marker = scratch.path();
  WriteWhole(folder + "dosbox.conf", "old dosbox.conf of " + marker);
  WriteWhole(folder + "settings.conf", "old settings.conf of " + marker);
  WriteWhole(folder + "notes.txt", "notes of " + marker);
  WriteWhole(desktop + "Tkmark DOSbox.lnk", Bytes(8192, 'x'));

  SetUpDosBox(folder, desktop);

  // dosbox.conf: the template, then the start-up lines for this folder.
  const std::optional<std::string_view> templateText = platform.FindProgramResource("rs_Conf");
  ASSERT_TRUE(templateText);
  Bytes mount = StripTrailingBackslashes(scratch.path()) + "\\" + c.mountSpelling;
  if (c.quoted) mount = "\"" + mount + "\"";
  EXPECT_EQ(ReadWhole(folder + "dosbox.conf"),
            Bytes(*templateText) + "mount c " + mount + "\r\nc:\r\ndel f\r\nquenw.exe /ns\r\nexit\r\n");

  // The old configurations went to the Recycle Bin; nothing else left the folder.
  const Bytes trash = test::WineTrashFiles();
  ASSERT_FALSE(trash.empty());
  EXPECT_EQ(TrashedCopies(trash, "dosbox", "old dosbox.conf of " + marker), 1) << trash;
  EXPECT_EQ(TrashedCopies(trash, "settings", "old settings.conf of " + marker), 1) << trash;
  EXPECT_EQ(ReadWhole(folder + "notes.txt"), "notes of " + marker);
  for (const char* kept : {"quenw.exe", "tkrun.exe", "tkmark.ico", "pr32.exe", "readme.txt"})
    EXPECT_TRUE(FileThere(folder + kept)) << kept;

  // The DOSBox shortcut.
  const Bytes conf = folder + "dosbox.conf";
  auto dosBox = test::ReadShellLinkFile(desktop + "Tkmark DOSbox.lnk");
  ASSERT_TRUE(dosBox);
  EXPECT_EQ(dosBox->target, DosBoxPath);
  EXPECT_EQ(dosBox->workingDirectory, "c:\\program files (x86)\\dosbox-0.74\\");
  EXPECT_EQ(dosBox->arguments, "-noconsole -conf " + (c.quoted ? "\"" + conf + "\"" : conf));
  EXPECT_EQ(dosBox->description, "Tarnwick");
  EXPECT_EQ(dosBox->iconLocation, folder + "tkmark.ico");
  EXPECT_EQ(dosBox->iconIndex, 0);
  EXPECT_EQ(dosBox->showCommand, 1u);
  EXPECT_EQ(dosBox->hotKey, 0);

  // The print shortcut.
  auto print = test::ReadShellLinkFile(desktop + "Print F.lnk");
  ASSERT_TRUE(print);
  EXPECT_EQ(print->target, folder + "pr32.exe");
  EXPECT_EQ(print->workingDirectory, folder);
  EXPECT_EQ(print->arguments, "f");
  EXPECT_EQ(print->description, "Print File f (CTRL+ALT+P)");
  EXPECT_EQ(print->iconLocation, folder + "tkmark.ico");
  EXPECT_EQ(print->iconIndex, 0);
  EXPECT_EQ(print->showCommand, 1u);
  EXPECT_EQ(print->hotKey, 0x0650);

  ASSERT_EQ(platform.notes.size(), 1u);
  EXPECT_NE(platform.notes[0].find("Click the Tkmark DOSbox Icon to start Tarnwick."), Bytes::npos);
}

INSTANTIATE_TEST_SUITE_P(Folders, Win32SetUpDosBoxTest,
                         ::testing::Values(FolderCase{"Plain", "tarnwick", "tarnwick", false},
                                           FolderCase{"WithBlank", "my games", "my games", true},
                                           FolderCase{"WithPercent", "100%wheels", "100%%wheels", false}),
                         [](const ::testing::TestParamInfo<FolderCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(Win32SetUpDosBox, TheHostProgramLeavesEverythingAsItWas) {
  NoteKeepingPlatform platform;
  ScopedPlatform installed{platform};
  ScratchFolder scratch;
  const Bytes folder = scratch.Folder("qv");
  const Bytes desktop = scratch.Folder("Desktop");
  WriteWhole(folder + "quen.exe", "MZ");
  WriteWhole(folder + "dosbox.conf", "mine");

  SetUpDosBox(folder, desktop);

  EXPECT_EQ(ReadWhole(folder + "dosbox.conf"), "mine");
  EXPECT_FALSE(FileThere(desktop + "Tkmark DOSbox.lnk"));
  EXPECT_FALSE(FileThere(desktop + "Print F.lnk"));
  EXPECT_TRUE(platform.notes.empty());
}

// Not a test of its own: the DOSBox and lnkinfo checks (tests/checks) run this to have the
// real set-up install into folders they name, then hand its results to real DOSBox 0.74
// and to lnkinfo. Without TARNWICK_EXPORT_FOLDER it does nothing.
TEST(Win32SetUpDosBox, ExportForTheChecks) {
  const char* folder = std::getenv("TARNWICK_EXPORT_FOLDER");
  const char* desktop = std::getenv("TARNWICK_EXPORT_DESKTOP");
  if (!folder || !desktop) GTEST_SKIP() << "run by the checks only";
  const char* dosBox = std::getenv("TARNWICK_EXPORT_DOSBOX");
  DosBoxPath = dosBox ? dosBox : "c:\\program files (x86)\\dosbox-0.74\\dosbox.exe";
  NoteKeepingPlatform platform;
  ScopedPlatform installed{platform};
  WriteSamplePayload(platform, folder);
  SetUpDosBox(folder, desktop);
  DosBoxPath.clear();
  EXPECT_EQ(platform.notes.size(), 1u);
}

}  // namespace
}  // namespace tarnwick
