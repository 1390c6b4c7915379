// The Win32 file utilities against Wine's real file system.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include <string>

#include "platform/platform_win.h"
#include "util/files_win.h"
#include "util/folders.h"
#include "util/paths.h"
#include "scratch_folder.h"

namespace tarnwick {
namespace {

using test::ScratchFolder;

TEST(Win32Files, WriteFileBytesReplacesAWholeFileAndEmptyBytesDeleteIt) {
  ScratchFolder dir;
  Bytes file = dir / "a.bin";
  EXPECT_TRUE(win::WriteFileBytes(file, Bytes(5000, 'x')));
  EXPECT_TRUE(win::WriteFileBytes(file, "short"));
  EXPECT_EQ(test::ReadWhole(file), "short");
  EXPECT_TRUE(win::WriteFileBytes(file, ""));
  EXPECT_FALSE(win::FileExists(file));
  EXPECT_FALSE(win::WriteFileBytes(dir / "missing\\a.bin", "x")) << "a folder that does not exist";
}

TEST(Win32Files, AFileHeldOpenByAnotherProgramIsReportedAsNotWritten) {
  ScratchFolder dir;
  Bytes file = dir / "held.bin";
  ASSERT_TRUE(win::WriteFileBytes(file, "old"));
  HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(win::WriteFileBytes(file, "new"));
  CloseHandle(held);
  EXPECT_EQ(test::ReadWhole(file), "old");
}

TEST(Win32Files, TheStoredDateBecomesTheLastWriteTimeOnly) {
  ScratchFolder dir;
  Bytes file = dir / "dated.txt";
  ASSERT_TRUE(win::WriteFileBytes(file, "x"));
  // 2004-11-05 13:24:36 local time: date (24 << 9 | 11 << 5 | 5), time (13 << 11 | 24 << 5 | 18)
  const uint16_t date = (24 << 9) | (11 << 5) | 5, time = (13 << 11) | (24 << 5) | 18;
  ASSERT_TRUE(win::SetFileDosDate(file, static_cast<int32_t>(uint32_t(date) << 16 | time)));
  WIN32_FILE_ATTRIBUTE_DATA data;
  ASSERT_TRUE(GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data));
  FILETIME local;
  FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
  WORD gotDate = 0, gotTime = 0;
  FileTimeToDosDateTime(&local, &gotDate, &gotTime);
  EXPECT_EQ(gotDate, date);
  EXPECT_EQ(gotTime, time);
  // Wine keeps no creation time of its own on Linux file systems (it reports the change
  // time), so that creation and access times stay untouched is not observable here.
}

TEST(Win32Files, ListFolderSkipsHiddenAndSystemEntries) {
  ScratchFolder dir;
  for (const char* name : {"DOSBox-0.74", "dosbox-hidden", "dosbox-system"}) CreateDirectoryA((dir / name).c_str(), nullptr);
  SetFileAttributesA((dir / "dosbox-hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesA((dir / "dosbox-system").c_str(), FILE_ATTRIBUTE_SYSTEM);
  win::WriteFileBytes(dir / "notes.txt", "x");
  std::vector<std::string> names;
  for (const FolderEntry& entry : win::ListFolder(dir.path() + "*.*")) names.push_back(entry.name);
  EXPECT_NE(std::find(names.begin(), names.end(), "DOSBox-0.74"), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), "notes.txt"), names.end());
  EXPECT_EQ(std::find(names.begin(), names.end(), "dosbox-hidden"), names.end());
  EXPECT_EQ(std::find(names.begin(), names.end(), "dosbox-system"), names.end());
  EXPECT_TRUE(win::ListFolder(dir / "nothing-here\\*.*").empty());
}

TEST(Win32Files, MakeFolderCreatesNestedFoldersOnTheRealDisk) {
  Win32Platform platform;
  ScopedPlatform installed(platform);
  ScratchFolder dir;
  Bytes path = dir / "one\\two\\";
  EXPECT_TRUE(MakeFolder(path));
  EXPECT_EQ(path, dir / "one\\two\\");
  EXPECT_TRUE(win::FolderExists(dir / "one\\two"));
  Bytes impossible = "Q:\\nowhere\\qv";
  EXPECT_FALSE(MakeFolder(impossible));
  EXPECT_EQ(impossible, "Q:\\nowhere\\qv");
}

TEST(Win32Files, SpecialFoldersAndDriveTypes) {
  EXPECT_TRUE(win::IsWindows64());
  for (int csidl : {0x0000, 0x0024, 0x0026, 0x002A}) {
    Bytes folder = win::GetSpecialFolder(csidl);
    EXPECT_FALSE(folder.empty()) << csidl;
    EXPECT_TRUE(win::FolderExists(folder)) << folder;
  }
  EXPECT_EQ(win::GetSpecialFolder(0x0024).substr(1, 2), ":\\");
  EXPECT_EQ(win::DriveType("c:\\"), 3u);
  EXPECT_EQ(win::DriveType("\\\\s"), 1u);
}

TEST(Win32Files, RecycleFilesMovesOnlyMatchingFiles) {
  ScratchFolder dir;
  for (const char* name : {"dosbox.conf", "settings.conf", "keep.txt"}) win::WriteFileBytes(dir / name, "x");
  EXPECT_TRUE(win::RecycleFiles(dir.path() + "*.conf"));
  EXPECT_FALSE(win::FileExists(dir / "dosbox.conf"));
  EXPECT_FALSE(win::FileExists(dir / "settings.conf"));
  EXPECT_TRUE(win::FileExists(dir / "keep.txt"));
}

TEST(Win32Files, TheProgramsOwnResourcesAreFoundInAnyCase) {
  Win32Platform platform;
  for (const char* name : {"TMAINFORM", "tmainform", "rs_conf", "RS_Conf"}) {
    auto blob = platform.FindProgramResource(name);
    ASSERT_TRUE(blob.has_value()) << name;
    EXPECT_FALSE(blob->empty()) << name;
  }
  EXPECT_FALSE(platform.FindProgramResource("rs_nothing").has_value());
}

}  // namespace
}  // namespace tarnwick
