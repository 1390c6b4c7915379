// The installation run against the in-memory machine with a packed sample payload: the
// files and their dates, every completion branch, load errors, cancels, pauses, write
// failures and exceptions, each checked by what reaches the disk and the user.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "install_fixture.h"
#include "payload/payload_errors.h"
#include "ucargo.h"
#include "util/format.h"

namespace tarnwick {
namespace {

using test::FakeForm;
using test::InstallFixture;
using test::ShownBox;

const Bytes kFolder = "c:\\corvana\\qv";
const Bytes kPrefix = "c:\\corvana\\qv\\";

const Bytes kMenuNote = "\r\n\r\nTo run Tarnwick, start the Corvana Menu program,\r\nand click the X9 icon.";
const Bytes kInstalled = "Tarnwick, version 3.24, was installed successfully.";
const Bytes kQuestion =
    kInstalled +
    "\n\nNormally Tarnwick is run from inside Ostramo by pressing the function key, F4. If you are not \n"
    "installing Ostramo, you need a shortcut on the \ndesktop to run this wheel program. \n\n"
    "Click NO if you do NOT want the X9 shortcut created.";

class InstallRunTest : public InstallFixture {};

TEST_F(InstallRunTest, WritesEveryItemWithItsBytesAndDateIntoANewFolder) {
  fake.AddFile(kPrefix + "quen.exe");  // the shortest completion: one note, no question
  EXPECT_TRUE(InstallPayload(kFolder));
  EXPECT_TRUE(fake.FolderExists("c:\\corvana\\qv"));
  for (const test::SampleItem& item : payload) {
    const test::FakePlatform::File* file = fake.FindFile(kPrefix + item.fileName);
    ASSERT_NE(file, nullptr) << item.fileName;
    EXPECT_EQ(file->path, kPrefix + item.fileName);
    EXPECT_EQ(file->content, item.content) << item.fileName;
    EXPECT_TRUE(file->dateSet) << item.fileName;
    EXPECT_EQ(file->dosDate, item.dosDate) << item.fileName;
  }
  EXPECT_EQ(finishedShown, 1);
  EXPECT_EQ(Progress(), nullptr);
}

TEST_F(InstallRunTest, LoadsEveryItemBeforeWritingTheFirstAndWritesInCatalogueOrder) {
  fake.AddFile(kPrefix + "quen.exe");
  InstallPayload(kFolder);
  std::vector<std::string> order;
  size_t lastLoad = 0, firstWrite = fake.calls.size();
  for (size_t i = 0; i < fake.calls.size(); ++i) {
    const std::string& call = fake.calls[i];
    if (call.rfind("FindResource rs_", 0) == 0) lastLoad = i;
    if (call.rfind("WriteFileBytes ", 0) == 0) {
      firstWrite = std::min(firstWrite, i);
      order.push_back(call.substr(std::string("WriteFileBytes ").size()));
    }
  }
  EXPECT_LT(lastLoad, firstWrite);
  ASSERT_EQ(order.size(), payload.size());
  for (size_t i = 0; i < payload.size(); ++i) EXPECT_EQ(order[i], kPrefix + payload[i].fileName);
}

TEST_F(InstallRunTest, ReportsEachFileAndTheRunningByteCountToTheWindow) {
  fake.AddFile(kPrefix + "quen.exe");
  uint32_t total = 0;
  for (const test::SampleItem& item : payload) total += static_cast<uint32_t>(item.content.size());
  std::vector<Bytes> seen;  // what the window showed at each file's message pass
  for (int n = 1; n <= 9; ++n)
    DuringFile(n, [&seen](FakeForm& view) {
      seen.push_back(view.Text("lbFiles") + " | " + view.Text("lbFileName") + " | " + view.Text("lbStatus"));
    });
  InstallPayload(kFolder);
  ASSERT_EQ(seen.size(), 9u);
  uint32_t written = 0;
  for (int n = 1; n <= 9; ++n) {
    written += static_cast<uint32_t>(payload[n - 1].content.size());
    EXPECT_EQ(seen[n - 1], "Files: " + std::to_string(n) + " | " + kPrefix + payload[n - 1].fileName + " | " +
                               FormatThousands(written, ",") + " of " + FormatThousands(total, ",") + " bytes");
  }
}

// --- Completion branches ---

struct Completion {
  const char* name;
  bool windows64;
  bool menuProgram;   // qvmenu.exe in the parent folder
  bool hostProgram;   // quen.exe already in the install folder
  std::vector<int> answers;
  bool asked;         // the shortcut question came
  bool shortcut;      // tkrun.lnk was made
  bool dosBoxSetUp;   // dosbox.conf and the two DOSBox-era shortcuts
  Bytes finalNote;    // empty: the run shows no final note of its own
};

class CompletionTest : public InstallFixture, public ::testing::WithParamInterface<Completion> {};

TEST_P(CompletionTest, TakesTheFirstBranchThatFitsTheMachine) {
  const Completion& c = GetParam();
  fake.windows64 = c.windows64;
  fake.answers.assign(c.answers.begin(), c.answers.end());
  if (c.menuProgram) fake.AddFile("c:\\corvana\\qvmenu.exe");
  if (c.hostProgram) fake.AddFile(kPrefix + "quen.exe");
  bool windowUpDuringQuestion = false;
  fake.whileBoxShown = [&](const ShownBox& box) {
    if (box.kind == "AskDialog") windowUpDuringQuestion = Progress() != nullptr;
  };

  EXPECT_TRUE(InstallPayload(kFolder));

  auto questions = Boxes("AskDialog");
  ASSERT_EQ(questions.size(), c.asked ? 1u : 0u);
  if (c.asked) {
    EXPECT_EQ(questions[0]->text, kQuestion);
    EXPECT_EQ(questions[0]->dialogKind, kDialogWarning);
    EXPECT_EQ(questions[0]->flags, kButtonYes | kButtonNo);
    EXPECT_TRUE(windowUpDuringQuestion);
  }
  EXPECT_EQ(fake.FileExists("c:\\users\\me\\desktop\\tkrun.lnk"), c.shortcut);
  if (c.shortcut) {
    const ShellLinkFields& link = fake.links.at(0);
    EXPECT_EQ(link.target, kPrefix + "tkrun.exe");
    EXPECT_EQ(link.arguments, "");
    EXPECT_EQ(link.description, "Tarnwick");
    EXPECT_EQ(link.iconFile, kPrefix + "tkmark.ico");
    EXPECT_EQ(link.iconIndex, 0);
    EXPECT_EQ(link.hotKey, 0);
  }
  EXPECT_EQ(fake.FileExists(kPrefix + "dosbox.conf"), c.dosBoxSetUp);
  EXPECT_EQ(fake.FileExists("c:\\users\\me\\desktop\\Tkmark DOSbox.lnk"), c.dosBoxSetUp);

  auto notes = Boxes("ShowNoteTitled");
  if (c.finalNote.empty()) {
    EXPECT_TRUE(notes.empty());
  } else {
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0]->title, "Tarnwick");
    EXPECT_EQ(notes[0]->text, c.finalNote);
    EXPECT_LT(CallIndex("DestroyForm TInstProgressForm"), CallIndex("ShowNoteTitled"));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Branches, CompletionTest,
    ::testing::Values(
        Completion{"MenuProgram32", false, true, false, {}, false, false, false, kMenuNote},
        // The menu program wins on 64-bit Windows too: no DOSBox set-up.
        Completion{"MenuProgram64", true, true, false, {}, false, false, false, kMenuNote},
        // The DOSBox set-up shows its own note; the run adds none.
        Completion{"DosBox64", true, false, false, {}, false, false, true, ""},
        Completion{"Ostramo32", false, false, true, {}, false, false, false,
                   kInstalled + "\r\n\r\nTo run Tarnwick, first run Ostramo, then press the function key F4."},
        Completion{"ShortcutYes32", false, false, false, {kIdYes}, true, true, false,
                   "To run Tarnwick, click the X9 icon on your desktop."},
        Completion{"ShortcutNo32", false, false, false, {kIdNo}, true, false, false,
                   "To run Tarnwick, start Ostramo and press function key F4."},
        // The question closed without an answer counts as No.
        Completion{"QuestionClosed32", false, false, false, {kIdCancel}, true, false, false,
                   "To run Tarnwick, start Ostramo and press function key F4."}),
    [](const ::testing::TestParamInfo<Completion>& info) { return std::string(info.param.name); });

TEST_F(InstallRunTest, TheMenuProgramDoesNotRunTheWindowsTest) {
  fake.wow64QueryFails = true;  // would raise if asked
  fake.AddFile("c:\\corvana\\qvmenu.exe");
  EXPECT_TRUE(InstallPayload(kFolder));
  EXPECT_EQ(CountCalls("IsWindows64"), 0u);
}

TEST_F(InstallRunTest, WithoutADesktopFolderTheShortcutIsTheBareFileName) {
  fake.specialFolders.erase(kCsidlDesktop);
  fake.answers = {kIdYes};
  EXPECT_TRUE(InstallPayload(kFolder));
  ASSERT_EQ(fake.links.size(), 1u);
  EXPECT_EQ(fake.links[0].linkFile, "tkrun.lnk");
}

// --- Load errors ---

TEST_F(InstallRunTest, EmptyItemsAreReportedTwiceAndNothingIsWritten) {
  payload[3].content.clear();
  payload[7].content.clear();
  Store(payload[3]);
  Store(payload[7]);
  bool startingStateDuringNote = false;
  fake.whileBoxShown = [&](const ShownBox& box) {
    if (box.kind == "ShowNote" && Progress())
      startingStateDuringNote = Progress()->shown && !Progress()->IsVisible("pbar") &&
                                Progress()->Text("lbStage") == "Installing ...";
  };

  EXPECT_FALSE(InstallPayload(kFolder));

  const Bytes text =
      "\nError Reading resource item rs_hlp, Filename tkrun.hlp"
      "\r\nError Reading resource item rs_readme, Filename readme.txt";
  ASSERT_EQ(fake.boxes.size(), 2u);
  EXPECT_EQ(fake.boxes[0].kind, "ShowNote");
  EXPECT_EQ(fake.boxes[0].text, text);
  EXPECT_EQ(fake.boxes[1].kind, "ShowNoteTitled");
  EXPECT_EQ(fake.boxes[1].title, "Tarnwick");
  EXPECT_EQ(fake.boxes[1].text, text);
  EXPECT_TRUE(startingStateDuringNote);
  EXPECT_EQ(CountCalls("IsWindows64"), 0u);
  EXPECT_EQ(FilesInstalled(kPrefix), 0);
  EXPECT_EQ(finishedShown, 0);
  EXPECT_EQ(Progress(), nullptr);
}

// --- Cancels, pauses and close requests ---

struct CancelCase {
  const char* name;
  int file;             // the file during whose message pass the user acts
  bool closeRequest;    // the title bar's close box rather than the Cancel button
  int expectedWritten;
};

class CancelTest : public InstallFixture, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(CancelTest, StopsAfterTheCurrentFileReportsTheCountAndSkipsTheCompletion) {
  const CancelCase& c = GetParam();
  if (c.closeRequest) {
    DuringFile(c.file, [](FakeForm& view) { view.RequestClose(); });
  } else {
    ClickDuringFile(c.file, "btnCancel");
  }
  EXPECT_FALSE(InstallPayload(kFolder));
  EXPECT_EQ(FilesInstalled(kPrefix), c.expectedWritten);
  EXPECT_EQ(finishedShown, 0);
  EXPECT_EQ(CountCalls("IsWindows64"), 0u);
  EXPECT_TRUE(Boxes("AskDialog").empty());
  ASSERT_EQ(fake.boxes.size(), 1u);
  EXPECT_EQ(fake.boxes[0].kind, "ShowNoteTitled");
  EXPECT_EQ(fake.boxes[0].text,
            "Installation cancelled. " + std::to_string(c.expectedWritten) + " of 9 files were installed.");
  EXPECT_EQ(Progress(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Cancels, CancelTest,
                         ::testing::Values(CancelCase{"AfterTheFirstFile", 1, false, 1},
                                           // Noticed after the last file, it is still a cancel.
                                           CancelCase{"AfterTheLastFile", 9, false, 9},
                                           CancelCase{"CloseBoxWhileCopying", 4, true, 4}),
                         [](const ::testing::TestParamInfo<CancelCase>& info) { return std::string(info.param.name); });

TEST_F(InstallRunTest, AClickDuringLoadingWaitsUntilTheFirstFileIsWritten) {
  int filesWhenPaused = -1;
  fake.whileLoading = [&](const Bytes& name) {
    if (name != "rs_cmd") return;
    fake.queue.push_back([this] { Progress()->Click("btnPause"); });
    fake.queue.push_back([&] { filesWhenPaused = FilesInstalled(kPrefix); });
    fake.queue.push_back([this] { Progress()->Click("btnPause"); });  // Resume
  };
  fake.AddFile(kPrefix + "quen.exe");
  EXPECT_TRUE(InstallPayload(kFolder));
  EXPECT_EQ(filesWhenPaused, 1);
}

TEST_F(InstallRunTest, APauseHoldsTheRunAndAResumeLetsItFinish) {
  int filesDuringPause = -1;
  ClickDuringFile(3, "btnPause");
  DuringFile(3, [&](FakeForm& view) {
    filesDuringPause = FilesInstalled(kPrefix);
    EXPECT_EQ(view.Text("btnPause"), "Resume");
  });
  ClickDuringFile(3, "btnPause");  // Resume
  fake.AddFile(kPrefix + "quen.exe");
  EXPECT_TRUE(InstallPayload(kFolder));
  EXPECT_EQ(filesDuringPause, 3);
  EXPECT_EQ(FilesInstalled(kPrefix), 9);
  EXPECT_EQ(finishedShown, 1);
}

TEST_F(InstallRunTest, ACancelDuringAPauseStopsAfterTheCurrentFile) {
  ClickDuringFile(2, "btnPause");
  ClickDuringFile(2, "btnCancel");
  EXPECT_FALSE(InstallPayload(kFolder));
  EXPECT_EQ(FilesInstalled(kPrefix), 2);
  EXPECT_EQ(Boxes("ShowNoteTitled").at(0)->text, "Installation cancelled. 2 of 9 files were installed.");
}

TEST_F(InstallRunTest, ASecondCloseRequestAfterACancelChangesNothing) {
  ClickDuringFile(5, "btnCancel");
  DuringFile(5, [](FakeForm& view) {
    view.RequestClose();
    EXPECT_FALSE(view.closed);
  });
  EXPECT_FALSE(InstallPayload(kFolder));
  EXPECT_EQ(FilesInstalled(kPrefix), 5);
}

TEST_F(InstallRunTest, ClosingTheFinishedWindowIsAnAcknowledgementNotACancel) {
  acknowledgeFinished = false;
  fake.AddFile(kPrefix + "quen.exe");
  fake.beforePump = [this](test::FakePlatform& machine) {
    FakeForm* form = Progress();
    if (form && form->Text("lbStage") == "Installation Successful." && machine.queue.empty())
      machine.queue.push_back([this] { Progress()->RequestClose(); });
  };
  EXPECT_TRUE(InstallPayload(kFolder));
  EXPECT_EQ(Boxes("ShowNoteTitled").at(0)->text,
            kInstalled + "\r\n\r\nTo run Tarnwick, first run Ostramo, then press the function key F4.");
}

// --- Files and folders that cannot be written ---

TEST_F(InstallRunTest, AFolderThatCannotBeCreatedIsReportedBeforeAnythingIsWritten) {
  fake.AddFolder("c:\\locked");
  fake.readOnlyFolders.insert("c:\\locked");
  EXPECT_FALSE(InstallPayload("c:\\locked\\qv"));
  ASSERT_EQ(fake.boxes.size(), 1u);
  EXPECT_EQ(fake.boxes[0].kind, "ShowNoteTitled");
  EXPECT_EQ(fake.boxes[0].title, "Tarnwick");
  EXPECT_EQ(fake.boxes[0].text, "The folder c:\\locked\\qv could not be created.");
  EXPECT_EQ(CountCalls("CreateForm TInstProgressForm"), 0u);
  for (const std::string& call : fake.calls) EXPECT_NE(call.rfind("WriteFileBytes", 0), 0u) << call;
}

TEST_F(InstallRunTest, FilesThatCannotBeWrittenAreListedInPlaceOfTheSuccess) {
  fake.AddFile(kPrefix + "quen.exe");
  fake.shortWrites[kPrefix + "tkrun.exe"] = 10;  // a full disk: fewer bytes than asked
  fake.shortWrites[kPrefix + "readme.txt"] = 0;
  EXPECT_FALSE(InstallPayload(kFolder));
  // Every file is attempted; the ones that failed keep no date.
  EXPECT_EQ(CountCalls("WriteFileBytes " + kPrefix + "pr32.exe"), 1u);
  EXPECT_FALSE(fake.FindFile(kPrefix + "tkrun.exe")->dateSet);
  EXPECT_FALSE(fake.FindFile(kPrefix + "readme.txt")->dateSet);
  EXPECT_TRUE(fake.FindFile(kPrefix + "tkmark.ico")->dateSet);
  EXPECT_EQ(finishedShown, 0);  // "Installation Successful." is never shown
  EXPECT_EQ(CountCalls("IsWindows64"), 0u);
  ASSERT_EQ(fake.boxes.size(), 1u);
  EXPECT_EQ(fake.boxes[0].kind, "ShowNoteTitled");
  EXPECT_EQ(fake.boxes[0].text,
            "The file c:\\corvana\\qv\\tkrun.exe could not be written.\r\n"
            "The file c:\\corvana\\qv\\readme.txt could not be written.");
}

TEST_F(InstallRunTest, WriteFailuresBeforeACancelAreReportedWithTheCancel) {
  fake.shortWrites[kPrefix + "tkrun.cmd"] = 1;
  ClickDuringFile(3, "btnCancel");
  EXPECT_FALSE(InstallPayload(kFolder));
  ASSERT_EQ(fake.boxes.size(), 1u);
  // Only the files that reached the disk count as installed.
  EXPECT_EQ(fake.boxes[0].text,
            "The file c:\\corvana\\qv\\tkrun.cmd could not be written.\r\n\r\n"
            "Installation cancelled. 2 of 9 files were installed.");
}

// --- Exceptions ---

struct Failure {
  const char* name;
  std::function<void(test::FakePlatform&)> arrange;
  int filesWritten;
};

class ExceptionTest : public InstallFixture, public ::testing::WithParamInterface<Failure> {};

TEST_P(ExceptionTest, DestroysTheWindowShowsNoFinalNoteAndPassesTheExceptionOn) {
  GetParam().arrange(fake);
  EXPECT_THROW(InstallPayload(kFolder), Exception);
  EXPECT_EQ(Progress(), nullptr);
  EXPECT_EQ(CountCalls("DestroyForm TInstProgressForm"), 1u);
  EXPECT_TRUE(Boxes("ShowNoteTitled").empty());
  EXPECT_EQ(FilesInstalled(kPrefix), GetParam().filesWritten);
}

INSTANTIATE_TEST_SUITE_P(
    Raised, ExceptionTest,
    ::testing::Values(
        Failure{"MissingResource", [](test::FakePlatform& m) { m.resources.erase("RS_WLBV4"); }, 0},
        Failure{"DamagedRecord",
                [](test::FakePlatform& m) { m.resources["RS_PR32"] = Bytes(80, '\x5A'); }, 0},
        Failure{"WindowsTestFails", [](test::FakePlatform& m) { m.wow64QueryFails = true; }, 9},
        // Files written before the exception stay.
        Failure{"ShellLinkObjectMissing",
                [](test::FakePlatform& m) {
                  m.shellLinkFails = true;
                  m.answers = {kIdYes};
                },
                9}),
    [](const ::testing::TestParamInfo<Failure>& info) { return std::string(info.param.name); });

TEST_F(InstallRunTest, AMissingResourceRaisesTheReadersOwnError) {
  fake.resources.erase("RS_WLBV4");
  try {
    InstallPayload(kFolder);
    FAIL() << "no exception";
  } catch (const EResNotFound& e) {
    EXPECT_STREQ(e.what(), "Resource rs_wlbv4 not found");
  }
}

}  // namespace
}  // namespace tarnwick
