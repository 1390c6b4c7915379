#include <gtest/gtest.h>

#include "app/startup_gate.h"
#include "fake/fake_platform.h"
#include "ucargo.h"

namespace tarnwick {
namespace {

const char kProgramFiles[] = "c:\\program files (x86)\\*.*";

class StartupGateTest : public ::testing::Test {
 protected:
  void SetUp() override { DosBoxPath = "stale"; }
  void InstallDosBox(const char* folder = "DOSBox-0.74") {
    fake.listings[kProgramFiles] = {{"Common Files", true}, {folder, true}};
    fake.AddFile(std::string("C:\\Program Files (x86)\\") + folder + "\\dosbox.exe");
  }
  test::FakePlatform fake;
  ScopedPlatform installed{fake};
};

struct GateCase {
  const char* name;
  bool windows64;
  bool dosBoxInstalled;
  const char* commandLine;
  bool starts;
};

class GateTable : public StartupGateTest, public ::testing::WithParamInterface<GateCase> {};

TEST_P(GateTable, StartsOrShowsTheWarning) {
  const GateCase& c = GetParam();
  fake.windows64 = c.windows64;
  if (c.dosBoxInstalled) InstallDosBox();
  fake.commandLine = c.commandLine;
  EXPECT_EQ(RunStartupGate(), c.starts);
  if (c.starts) {
    EXPECT_TRUE(fake.boxes.empty());
  } else {
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].kind, "AskBox");
    EXPECT_EQ(fake.boxes[0].title, "Vexo355 Installer");
    EXPECT_EQ(fake.boxes[0].flags, 0x31u);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Machines, GateTable,
    ::testing::Values(GateCase{"Win32Plain", false, false, "\"C:\\Setup\\TarnwickSetup.exe\"", true},
                      GateCase{"Win32WithT", false, false, "\"C:\\Setup\\TarnwickSetup.exe\" /t", false},
                      GateCase{"Win32UpperT", false, false, "TarnwickSetup.exe /T", false},
                      GateCase{"Win32Test", false, false, "TarnwickSetup.exe /test", false},
                      GateCase{"Win32PathWithT", false, false, "\"C:/tools/TarnwickSetup.exe\"", false},
                      GateCase{"Win64WithDosBox", true, true, "\"C:\\Setup\\TarnwickSetup.exe\"", true},
                      GateCase{"Win64WithDosBoxAndT", true, true, "TarnwickSetup.exe /t", false},
                      GateCase{"Win64WithoutDosBox", true, false, "TarnwickSetup.exe", false},
                      GateCase{"Win32OtherSwitch", false, false, "TarnwickSetup.exe -t \\t", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartupGateTest, TheWarningTextIsExact) {
  fake.commandLine = "x /t";
  RunStartupGate();
  ASSERT_EQ(fake.boxes.size(), 1u);
  EXPECT_EQ(fake.boxes[0].text,
            "This computer has a 64 bit operating system which cannot directly execute DOS programs.\n\n"
            "Tarnwick cannot run on this operating system except in XP Mode (which requires upgrading to Windows 7 "
            "Professional) or by using the free program, DOSbox, which does not appear to be installed on this "
            "computer.\n\nClick OK to go to the DOSbox website.  Download, and install DOSbox to it's default "
            "location then start this installer again.");
}

TEST_F(StartupGateTest, OnlyOkOpensTheDownloadPage) {
  const struct {
    int answer;
    bool opens;
  } cases[] = {{kIdOk, true}, {kIdCancel, false}, {0, false}};
  for (const auto& c : cases) {
    fake.openedPages.clear();
    fake.commandLine = "x /t";
    fake.answers = {c.answer};
    EXPECT_FALSE(RunStartupGate());
    EXPECT_EQ(fake.openedPages.size(), c.opens ? 1u : 0u) << c.answer;
  }
  fake.openedPages.clear();
  fake.answers = {kIdOk};
  RunStartupGate();
  ASSERT_EQ(fake.openedPages.size(), 1u);
  EXPECT_EQ(fake.openedPages[0].rfind("https://", 0), 0u);
  EXPECT_NE(fake.openedPages[0].find("/projects/dosbox"), std::string::npos);
}

TEST_F(StartupGateTest, On32BitWindowsTheProgramFilesFolderIsNotSearched) {
  EXPECT_TRUE(RunStartupGate());
  for (const std::string& call : fake.calls) EXPECT_EQ(call.find("ListFolder"), std::string::npos) << call;
  EXPECT_EQ(DosBoxPath, "stale");  // the gate leaves the path to FindDosBox, which never ran
}

TEST_F(StartupGateTest, On64BitWindowsWithoutDosBoxTheCommandLineIsNotLookedAt) {
  fake.windows64 = true;
  fake.commandLine = "TarnwickSetup.exe";
  EXPECT_FALSE(RunStartupGate());
  EXPECT_EQ(fake.boxes.size(), 1u);
}

TEST_F(StartupGateTest, AFailingWow64QueryPropagates) {
  fake.wow64QueryFails = true;
  try {
    RunStartupGate();
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Bad process handle");
  }
  EXPECT_TRUE(fake.boxes.empty());
}

TEST_F(StartupGateTest, FindDosBoxGivesTheLowerCasePathOfTheFirstMatch) {
  InstallDosBox("DOSBox-0.74");
  Bytes path = "stale";
  EXPECT_TRUE(FindDosBox(path));
  EXPECT_EQ(path, "c:\\program files (x86)\\dosbox-0.74\\dosbox.exe");
}

TEST_F(StartupGateTest, FindDosBoxTriesOnlyTheFirstMatchingEntry) {
  struct Case {
    const char* name;
    std::vector<FolderEntry> entries;
    const char* expectedPath;
    bool found;
  };
  const Case cases[] = {
      {"first match lacks dosbox.exe, a later one has it",
       {{"dosbox-old", true}, {"DOSBox-0.74", true}},
       "c:\\program files (x86)\\dosbox-old\\dosbox.exe",
       false},
      {"an ordinary file matches first",
       {{"dosbox-readme.txt", false}, {"DOSBox-0.74", true}},
       "c:\\program files (x86)\\dosbox-readme.txt\\dosbox.exe",
       false},
      {"no entry matches", {{".", true}, {"..", true}, {"Common Files", true}}, "", false},
      {"nothing listed", {}, "", false},
      {"the match is found in any case", {{"Common Files", true}, {"DosBox-0.74", true}},
       "c:\\program files (x86)\\dosbox-0.74\\dosbox.exe", true},
  };
  fake.AddFile("C:\\Program Files (x86)\\DOSBox-0.74\\dosbox.exe");
  for (const Case& c : cases) {
    fake.listings[kProgramFiles] = c.entries;
    Bytes path = "stale";
    EXPECT_EQ(FindDosBox(path), c.found) << c.name;
    EXPECT_EQ(path, c.expectedPath) << c.name;
  }
}

TEST_F(StartupGateTest, WithoutAProgramFilesFolderTheSearchRunsInTheCurrentDirectory) {
  fake.specialFolders.clear();
  fake.listings["*.*"] = {{"DOSBox", true}};
  fake.AddFile("C:\\Work\\dosbox\\dosbox.exe");
  Bytes path;
  FindDosBox(path);
  EXPECT_EQ(path, "dosbox\\dosbox.exe");
}

}  // namespace
}  // namespace tarnwick
