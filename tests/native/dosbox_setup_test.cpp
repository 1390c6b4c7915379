#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dosbox_fixture.h"
#include "ucargo.h"

namespace tarnwick {
namespace {

const char kDesktop[] = "C:\\Users\\me\\Desktop\\";
const char kDosBox[] = "c:\\program files (x86)\\dosbox-0.74\\dosbox.exe";

class SetUpDosBoxTest : public test::DosBoxFixture {
 protected:
  SetUpDosBoxTest() { DosBoxPath = kDosBox; }
  ~SetUpDosBoxTest() override { DosBoxPath.clear(); }

  // The calls that change the machine or talk to the user, in order.
  std::vector<std::string> Actions() const {
    std::vector<std::string> actions;
    for (const std::string& call : fake.calls)
      if (call.rfind("FindResource", 0) != 0) actions.push_back(call);
    return actions;
  }
};

TEST_F(SetUpDosBoxTest, WritesTheConfThenBothShortcutsInsideItsOwnComScopeThenTheNote) {
  fake.AddFolder("c:\\corvana\\qv");

  SetUpDosBox("c:\\corvana\\qv\\", kDesktop);

  EXPECT_EQ(Actions(), (std::vector<std::string>{
                           "RecycleFiles c:\\corvana\\qv\\*.conf",
                           "WriteFileBytes c:\\corvana\\qv\\dosbox.conf",
                           "ComInitialize",
                           "WriteShellLink C:\\Users\\me\\Desktop\\Tkmark DOSbox.lnk",
                           "WriteShellLink C:\\Users\\me\\Desktop\\Print F.lnk",
                           "ComUninitialize",
                           "ShowNote",
                       }));
  EXPECT_NE(WrittenConf("c:\\corvana\\qv\\").find("\r\nmount c c:\\corvana\\qv\r\n"), Bytes::npos);

  ASSERT_EQ(fake.links.size(), 2u);
  const ShellLinkFields& dosBox = fake.links[0];
  EXPECT_EQ(dosBox.target, kDosBox);
  EXPECT_EQ(dosBox.workingDirectory, "c:\\program files (x86)\\dosbox-0.74\\");
  EXPECT_EQ(dosBox.arguments, "-noconsole -conf c:\\corvana\\qv\\dosbox.conf");
  EXPECT_EQ(dosBox.description, "Tarnwick");
  EXPECT_EQ(dosBox.iconFile, "c:\\corvana\\qv\\tkmark.ico");
  EXPECT_EQ(dosBox.iconIndex, 0);
  EXPECT_EQ(dosBox.hotKey, 0);

  const ShellLinkFields& print = fake.links[1];
  EXPECT_EQ(print.target, "c:\\corvana\\qv\\pr32.exe");
  EXPECT_EQ(print.workingDirectory, "c:\\corvana\\qv\\");
  EXPECT_EQ(print.arguments, "f");
  EXPECT_EQ(print.description, "Print File f (CTRL+ALT+P)");
  EXPECT_EQ(print.iconFile, "c:\\corvana\\qv\\tkmark.ico");
  EXPECT_EQ(print.iconIndex, 0);
  EXPECT_EQ(print.hotKey, 0x0650);
}

TEST_F(SetUpDosBoxTest, TheClosingNoteHasItsLoneCarriageReturnsAndLineFeeds) {
  fake.AddFolder("c:\\qv");
  SetUpDosBox("c:\\qv\\", kDesktop);

  ASSERT_EQ(fake.boxes.size(), 1u);
  EXPECT_EQ(fake.boxes[0].kind, "ShowNote");
  const Bytes expected =
      "Tarnwick has been installed and shortcuts created to run it in DOSbox and another to Print "
      "to File F.\r\rClick the Tkmark DOSbox Icon to start Tarnwick.  To print from Tarnwick, "
      "choose \"print to file\" and always name it the single letter \"f\".\n\nTo send the file F "
      "to the default printer,\n    click \"Print F\" icon or \r    press CTRL+ALT+P.";
  const Bytes& text = fake.boxes[0].text;
  EXPECT_EQ(text, expected);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 3);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
  EXPECT_EQ(text.find("\r\n"), Bytes::npos);
}

TEST_F(SetUpDosBoxTest, OldShortcutsAreDeletedBeforeTheNewOnesAreWritten) {
  fake.AddFolder("c:\\qv");
  fake.AddFile(Bytes(kDesktop) + "Tkmark DOSbox.lnk", "old");
  fake.AddFile(Bytes(kDesktop) + "Print F.lnk", "old");

  SetUpDosBox("c:\\qv\\", kDesktop);

  const std::vector<std::string> actions = Actions();
  const std::vector<std::string> expectedStart = {
      "RecycleFiles c:\\qv\\*.conf",
      "WriteFileBytes c:\\qv\\dosbox.conf",
      "DeleteFile C:\\Users\\me\\Desktop\\Tkmark DOSbox.lnk",
      "DeleteFile C:\\Users\\me\\Desktop\\Print F.lnk",
      "ComInitialize",
      "WriteShellLink C:\\Users\\me\\Desktop\\Tkmark DOSbox.lnk",
  };
  ASSERT_GE(actions.size(), expectedStart.size());
  EXPECT_EQ(std::vector<std::string>(actions.begin(), actions.begin() + expectedStart.size()),
            expectedStart);
}

TEST_F(SetUpDosBoxTest, TheHostProgramInTheFolderMeansNothingIsSetUp) {
  fake.AddFile("c:\\qv\\QUEN.EXE", "MZ");
  fake.AddFile("c:\\qv\\old.conf", "keep");

  SetUpDosBox("c:\\qv\\", kDesktop);

  EXPECT_EQ(Actions(), std::vector<std::string>{});
  EXPECT_TRUE(fake.boxes.empty());
  EXPECT_NE(fake.FindFile("c:\\qv\\old.conf"), nullptr);
}

TEST_F(SetUpDosBoxTest, ConfArgumentIsQuotedOnlyForAFolderWithABlank) {
  const struct {
    const char* folder;
    const char* arguments;
  } cases[] = {
      {"c:\\my games\\", "-noconsole -conf \"c:\\my games\\dosbox.conf\""},
      // DOSBox takes -conf's value as it is: a percent sign needs no doubling there.
      {"c:\\100%wheels\\", "-noconsole -conf c:\\100%wheels\\dosbox.conf"},
      {"e:\\", "-noconsole -conf e:\\dosbox.conf"},
  };
  for (const auto& c : cases) {
    fake.links.clear();
    fake.driveTypes[Bytes(c.folder).substr(0, 3)] = kDriveFixed;
    fake.AddFolder(c.folder);
    SetUpDosBox(c.folder, kDesktop);
    ASSERT_EQ(fake.links.size(), 2u) << c.folder;
    EXPECT_EQ(fake.links[0].arguments, c.arguments);
    // The print shortcut names its target directly; the shell link needs no quotation marks.
    EXPECT_EQ(fake.links[1].target, Bytes(c.folder) + "pr32.exe");
  }
}

TEST_F(SetUpDosBoxTest, AShellLinkThatCannotBeMadeStopsTheSetUpButBalancesCom) {
  fake.AddFolder("c:\\qv");
  fake.shellLinkFails = true;

  EXPECT_THROW(SetUpDosBox("c:\\qv\\", kDesktop), EOSError);

  const std::vector<std::string> actions = Actions();
  ASSERT_FALSE(actions.empty());
  EXPECT_EQ(actions.back(), "ComUninitialize");
  EXPECT_EQ(std::count(actions.begin(), actions.end(), "WriteShellLink C:\\Users\\me\\Desktop\\Print F.lnk"), 0);
  EXPECT_TRUE(fake.boxes.empty());
}

}  // namespace
}  // namespace tarnwick
