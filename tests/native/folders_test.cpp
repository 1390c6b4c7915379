#include <gtest/gtest.h>

#include "fake/fake_platform.h"
#include "util/folders.h"

namespace tarnwick {
namespace {

class MakeFolderTest : public ::testing::Test {
 protected:
  test::FakePlatform fake;
  ScopedPlatform installed{fake};
};

TEST_F(MakeFolderTest, CreatesEveryMissingLevelAndKeepsAnAbsolutePathAsPassed) {
  Bytes path = "C:\\Games\\Tarnwick\\";
  EXPECT_TRUE(MakeFolder(path));
  EXPECT_EQ(path, "C:\\Games\\Tarnwick\\");
  EXPECT_TRUE(fake.FolderExists("c:\\games"));
  EXPECT_TRUE(fake.FolderExists("c:\\games\\tarnwick"));
  EXPECT_EQ(fake.calls, (std::vector<std::string>{"CreateFolder C:\\Games", "CreateFolder C:\\Games\\Tarnwick"}));
}

TEST_F(MakeFolderTest, ResolvesARelativePathAgainstTheCurrentDirectory) {
  Bytes path = "X\\";
  EXPECT_TRUE(MakeFolder(path));
  EXPECT_EQ(path, "C:\\Work\\X");
  EXPECT_TRUE(fake.FolderExists("c:\\work\\x"));
}

TEST_F(MakeFolderTest, ALeadingBackslashCountsAsAbsolute) {
  fake.currentDirectory = "D:\\Elsewhere";
  Bytes path = "\\Data";
  fake.AddFolder("\\Data");
  EXPECT_TRUE(MakeFolder(path));
  EXPECT_EQ(path, "\\Data");
}

TEST_F(MakeFolderTest, AnExistingFolderNeedsNoCreation) {
  Bytes path = "c:\\work\\";
  EXPECT_TRUE(MakeFolder(path));
  EXPECT_TRUE(fake.calls.empty());
}

TEST_F(MakeFolderTest, FailureLeavesTheArgumentUnchanged) {
  const char* cases[] = {"Q:\\Games\\Tarnwick", "", "C:\\locked\\sub"};
  fake.AddFolder("C:\\locked");
  fake.readOnlyFolders.insert("c:\\locked");
  for (const char* input : cases) {
    Bytes path = input;
    EXPECT_FALSE(MakeFolder(path)) << input;
    EXPECT_EQ(path, input);
  }
}

TEST_F(MakeFolderTest, NeverCreatesTheServerOrShareOfANetworkPath) {
  fake.driveTypes["\\\\"] = kDriveRemote;
  Bytes path = "\\\\server\\share\\qv";
  MakeFolder(path);
  for (const std::string& call : fake.calls) {
    EXPECT_NE(call, "CreateFolder \\\\server");
    EXPECT_NE(call, "CreateFolder \\\\server\\share");
  }
}

}  // namespace
}  // namespace tarnwick
