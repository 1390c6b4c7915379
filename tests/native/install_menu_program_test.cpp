// Where the maker's menu program counts: in the parent of the install folder, never in a
// drive root.
#include <gtest/gtest.h>

#include <string>

#include "fake/fake_platform.h"
#include "ucargo.h"

namespace tarnwick {
namespace {

struct MenuCase {
  const char* name;
  Bytes folder;    // a folder prefix, as the run passes it
  Bytes menuFile;  // where qvmenu.exe lies; empty: nowhere
  bool expected;
};

class HasMenuProgramTest : public ::testing::TestWithParam<MenuCase> {
 protected:
  test::FakePlatform fake;
  ScopedPlatform installed{fake};
};

TEST_P(HasMenuProgramTest, LooksOnlyInTheParentFolder) {
  const MenuCase& c = GetParam();
  if (!c.menuFile.empty()) fake.AddFile(c.menuFile);
  EXPECT_EQ(HasMenuProgram(c.folder), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, HasMenuProgramTest,
    ::testing::Values(MenuCase{"InTheParent", "c:\\corvana\\qv\\", "c:\\corvana\\qvmenu.exe", true},
                      MenuCase{"Absent", "c:\\corvana\\qv\\", "", false},
                      MenuCase{"OnlyInTheFolderItself", "c:\\corvana\\qv\\", "c:\\corvana\\qv\\qvmenu.exe", false},
                      MenuCase{"TwoLevelsUp", "c:\\corvana\\tk\\qv\\", "c:\\corvana\\qvmenu.exe", false},
                      // A folder right below a drive root never counts, even with the file there.
                      MenuCase{"ParentIsADriveRoot", "c:\\qv\\", "c:\\qvmenu.exe", false},
                      MenuCase{"NoBackslashLeft", "qv\\", "qvmenu.exe", false},
                      MenuCase{"NetworkShare", "\\\\server\\share\\qv\\", "\\\\server\\share\\qvmenu.exe", true}),
    [](const ::testing::TestParamInfo<MenuCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnwick
