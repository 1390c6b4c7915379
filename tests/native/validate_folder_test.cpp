// The drive check of the install folder: the drive types that may take an installation,
// the root that is tested, and the one sentence a refused drive gives.
#include <gtest/gtest.h>

#include <string>

#include "fake/fake_platform.h"
#include "ucargo.h"

namespace tarnwick {
namespace {

struct DriveCase {
  const char* name;
  Bytes folder;
  Bytes root;       // what GetDriveType is asked about
  unsigned type;    // what it answers for that root
  bool accepted;
};

class ValidateInstallFolderTest : public ::testing::TestWithParam<DriveCase> {
 protected:
  test::FakePlatform fake;
  ScopedPlatform installed{fake};
};

TEST_P(ValidateInstallFolderTest, AcceptsRemovableFixedAndRemoteDrivesOnly) {
  const DriveCase& c = GetParam();
  fake.driveTypes.clear();
  fake.driveTypes[c.root] = c.type;
  EXPECT_EQ(ValidateInstallFolder(c.folder), c.accepted);
  EXPECT_EQ(fake.calls.at(0), "DriveType " + c.root);
  if (c.accepted) {
    EXPECT_TRUE(fake.boxes.empty());
  } else {
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_EQ(fake.boxes[0].kind, "ShowNote");
    EXPECT_EQ(fake.boxes[0].text, "Install Directory is not on a valid device.");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Drives, ValidateInstallFolderTest,
    ::testing::Values(DriveCase{"Unknown", "c:\\corvana\\qv", "c:\\", kDriveUnknown, false},
                      DriveCase{"NoRootDir", "q:\\qv", "q:\\", kDriveNoRootDir, false},
                      DriveCase{"Removable", "e:\\qv", "e:\\", kDriveRemovable, true},
                      DriveCase{"Fixed", "c:\\corvana\\qv", "c:\\", kDriveFixed, true},
                      DriveCase{"Remote", "n:\\qv", "n:\\", kDriveRemote, true},
                      DriveCase{"CdRom", "d:\\qv", "d:\\", kDriveCdRom, false},
                      DriveCase{"RamDisk", "r:\\qv", "r:\\", kDriveRamDisk, false},
                      DriveCase{"BeyondTheKnownTypes", "c:\\qv", "c:\\", 7, false},
                      // Only the first three characters are tested: no drive root in a UNC path.
                      DriveCase{"NetworkPath", "\\\\server\\share\\qv", "\\\\s", kDriveNoRootDir, false},
                      DriveCase{"ShorterThanARoot", "c:", "c:", kDriveFixed, true}),
    [](const ::testing::TestParamInfo<DriveCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnwick
