#include <gtest/gtest.h>

#include "fake/fake_platform.h"
#include "util/shortcut.h"

namespace tarnwick {
namespace {

class CreateShortcutTest : public ::testing::Test {
 protected:
  test::FakePlatform fake;
  ScopedPlatform installed{fake};
};

TEST_F(CreateShortcutTest, HandsEveryFieldToTheShellLinkWithTheTargetsFolderAsWorkingDirectory) {
  CreateShortcut("C:\\Users\\me\\Desktop\\Print F.lnk", "c:\\qv\\pr32.exe", "f", "Print it",
                 "c:\\qv\\tkmark.ico", 3, 0x0650);
  ASSERT_EQ(fake.links.size(), 1u);
  const ShellLinkFields& link = fake.links[0];
  EXPECT_EQ(link.linkFile, "C:\\Users\\me\\Desktop\\Print F.lnk");
  EXPECT_EQ(link.target, "c:\\qv\\pr32.exe");
  EXPECT_EQ(link.workingDirectory, "c:\\qv\\");
  EXPECT_EQ(link.arguments, "f");
  EXPECT_EQ(link.description, "Print it");
  EXPECT_EQ(link.iconFile, "c:\\qv\\tkmark.ico");
  EXPECT_EQ(link.iconIndex, 3);
  EXPECT_EQ(link.hotKey, 0x0650);
}

TEST_F(CreateShortcutTest, WorkingDirectoryFollowsTheTarget) {
  const struct {
    const char* target;
    const char* workingDirectory;
  } cases[] = {
      {"C:\\DOSBox-0.74\\dosbox.exe", "C:\\DOSBox-0.74\\"},
      {"dosbox.exe", ""},
      {"d:dosbox.exe", "d:"},
  };
  for (const auto& c : cases) {
    CreateShortcut("C:\\x.lnk", c.target, "", "", "", 0, 0);
    EXPECT_EQ(fake.links.back().workingDirectory, c.workingDirectory) << c.target;
  }
}

}  // namespace
}  // namespace tarnwick
