// Shortcuts written through the system's shell-link object under Wine, read back field by
// field with the tests' own Shell Link reader.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>

#include <string>

#include "common/shell_link_reader.h"
#include "platform/platform_win.h"
#include "scratch_folder.h"
#include "util/exceptions.h"
#include "util/shortcut.h"
#include "util/shortcut_win.h"

namespace tarnwick {
namespace {

using test::ReadShellLinkFile;
using test::ShellLinkContents;
using test::ScratchFolder;

// Paths of the Windows side reach the reader through the C run-time, which takes them as is.
std::optional<ShellLinkContents> ReadLink(const Bytes& path) {
  std::string error;
  auto link = ReadShellLinkFile(path, &error);
  EXPECT_TRUE(link) << path << ": " << error;
  return link;
}

class Win32ShortcutTest : public ::testing::Test {
 protected:
  void SetUp() override { CoInitialize(nullptr); }
  void TearDown() override { CoUninitialize(); }

  Win32Platform platform;
  ScopedPlatform installed{platform};
  ScratchFolder scratch;
};

struct LinkCase {
  const char* name;
  const char* target;
  const char* arguments;
  const char* description;
  const char* iconFile;
  int iconIndex;
  uint16_t hotKey;
  const char* workingDirectory;  // what the shortcut must start in
};

const LinkCase kLinkCases[] = {
    {"DOSBox", "C:\\DOSBox-0.74\\dosbox.exe", "-noconsole -conf \"c:\\my games\\dosbox.conf\"",
     "Tarnwick", "c:\\my games\\tkmark.ico", 0, 0, "C:\\DOSBox-0.74\\"},
    {"PrintF", "c:\\corvana\\qv\\pr32.exe", "f", "Print File f (CTRL+ALT+P)",
     "c:\\corvana\\qv\\tkmark.ico", 0, 0x0650, "c:\\corvana\\qv\\"},
    // Modifiers without a key still count as a hot key and reach the shortcut.
    {"ModifiersOnly", "c:\\qv\\tkrun.exe", "", "Tarnwick", "c:\\qv\\tkmark.ico", 2, 0x0600,
     "c:\\qv\\"},
};

TEST_F(Win32ShortcutTest, EveryFieldReadsBackAsWritten) {
  for (const LinkCase& c : kLinkCases) {
    SCOPED_TRACE(c.name);
    const Bytes file = scratch.path() + c.name + ".lnk";
    CreateShortcut(file, c.target, c.arguments, c.description, c.iconFile, c.iconIndex, c.hotKey);

    auto link = ReadLink(file);
    ASSERT_TRUE(link);
    EXPECT_EQ(link->target, c.target);
    EXPECT_EQ(link->workingDirectory, c.workingDirectory);
    EXPECT_EQ(link->arguments, c.arguments);
    EXPECT_EQ(link->description, c.description);
    EXPECT_EQ(link->iconLocation, c.iconFile);
    EXPECT_EQ(link->iconIndex, c.iconIndex);
    EXPECT_EQ(link->showCommand, 1u) << "SW_SHOWNORMAL";
    EXPECT_EQ(link->hotKey, c.hotKey);
  }
}

TEST_F(Win32ShortcutTest, AnExistingShortcutIsReplacedWhole) {
  const Bytes file = scratch.path() + "Tkmark DOSbox.lnk";
  CreateShortcut(file, "c:\\old\\old.exe", "--many --old --arguments", "old", "c:\\old\\old.ico", 5, 0x0650);
  test::WriteWhole(scratch.path() + "junk.lnk", Bytes(8192, 'x'));
  CopyFileA((scratch.path() + "junk.lnk").c_str(), file.c_str(), FALSE);

  CreateShortcut(file, "c:\\new\\dosbox.exe", "", "Tarnwick", "c:\\new\\tkmark.ico", 0, 0);

  auto link = ReadLink(file);
  ASSERT_TRUE(link);
  EXPECT_EQ(link->target, "c:\\new\\dosbox.exe");
  EXPECT_EQ(link->arguments, "");
  EXPECT_EQ(link->hotKey, 0);
  EXPECT_LT(test::ReadWhole(file).size(), 8192u) << "nothing of the old file may remain";
}

// What a shortcut writer raises on a thread where COM was never initialised.
struct NoComOutcome {
  Bytes linkFile;
  bool raisedOSError = false;
  Bytes message;
};

DWORD WINAPI WriteWithoutCom(void* parameter) {
  auto* outcome = static_cast<NoComOutcome*>(parameter);
  ShellLinkFields fields;
  fields.linkFile = outcome->linkFile;
  fields.target = "c:\\qv\\tkrun.exe";
  try {
    WriteShellLinkObject(fields);
  } catch (const EOSError& e) {
    outcome->raisedOSError = true;
    outcome->message = e.what();
  } catch (...) {
  }
  return 0;
}

TEST_F(Win32ShortcutTest, NoShellLinkObjectRaisesTheSystemsReasonAndTheClassId) {
  NoComOutcome outcome;
  outcome.linkFile = scratch.path() + "never.lnk";
  HANDLE thread = CreateThread(nullptr, 0, WriteWithoutCom, &outcome, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);

  ASSERT_TRUE(outcome.raisedOSError);
  const Bytes suffix = ", ClassID: {00021401-0000-0000-C000-000000000046}";
  ASSERT_GT(outcome.message.size(), suffix.size()) << outcome.message;
  EXPECT_EQ(outcome.message.substr(outcome.message.size() - suffix.size()), suffix);
  EXPECT_FALSE(test::FileThere(outcome.linkFile));
}

}  // namespace
}  // namespace tarnwick
