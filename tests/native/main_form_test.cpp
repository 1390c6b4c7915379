#include <gtest/gtest.h>

#include "fake/fake_platform.h"
#include "fmMain.h"

namespace tarnwick {
namespace {

class MainFormTest : public ::testing::Test {
 protected:
  test::FakePlatform fake;
  ScopedPlatform installed{fake};
};

TEST_F(MainFormTest, FormCreateSetsCaptionsAndCentresTheLabels) {
  tMainForm form;
  test::FakeForm& view = *fake.Form("tMainForm");
  EXPECT_EQ(view.Text("tMainForm"), "Corvana Tarnwick Installer");
  EXPECT_EQ(view.ActivePage("PageControl1"), "TabSheet1");
  const struct {
    const char* label;
    const char* text;
    int parentWidth;
  } labels[] = {{"lbIns1", "This will install Corvana Tarnwick", 492},
                {"lbIns2", "Version 3.24 05/11/04", 492},
                {"lbP1Progname", "Tarnwick", 185},
                {"lbP1ProgVer", "3.24", 185}};
  for (const auto& l : labels) {
    EXPECT_EQ(view.Text(l.label), l.text);
    EXPECT_EQ(view.ParentWidth(l.label), l.parentWidth) << l.label;
    EXPECT_EQ(view.Bounds(l.label).left, (l.parentWidth - view.Bounds(l.label).width) / 2) << l.label;
  }
  EXPECT_EQ(view.Text("lbDetails"), "Click SETUP to install this program, CANCEL to close");
  EXPECT_EQ(view.Text("Label13"), "without installing.");
}

TEST_F(MainFormTest, TheLogoIsPaintedAsTheMarkInAFramedRedSquare) {
  tMainForm form;
  const std::vector<std::string> expected = {
      "FillRect #FF0000 0,0,105,105", "Pen #FFFF00 10", "MoveTo 0,0",    "LineTo 105,0", "LineTo 105,105",
      "LineTo 0,105",                 "LineTo 0,0",     "Font 59 #FFFFFF bold", "TextOut 28,23 X9"};
  EXPECT_EQ(fake.Form("tMainForm")->canvasLog, expected);
}

TEST_F(MainFormTest, TheDefaultFolderIsOnTheWindowsDrive) {
  struct Case {
    const char* windows;
    const char* existingFolder;
    const char* expected;
  };
  const Case cases[] = {
      {"C:\\WINDOWS", nullptr, "c:\\qv"},
      {"C:\\WINDOWS", "C:\\corvana\\qv", "c:\\corvana\\qv"},
      {"D:\\WINNT", nullptr, "d:\\qv"},
      {"D:\\WINNT", "D:\\Corvana\\QV", "d:\\corvana\\qv"},
      {"", nullptr, "qv"},
      {"WINDOWS", nullptr, "qv"},
  };
  for (const Case& c : cases) {
    test::FakePlatform machine;
    ScopedPlatform use(machine);
    machine.driveTypes["d:\\"] = kDriveFixed;
    machine.specialFolders[kCsidlWindows] = c.windows;
    if (c.existingFolder) machine.AddFolder(c.existingFolder);
    tMainForm form;
    EXPECT_EQ(machine.Form("tMainForm")->Text("edInstallDir"), c.expected) << c.windows;
  }
}

TEST_F(MainFormTest, SetupShowsTheInstallPageForGood) {
  tMainForm form;
  test::FakeForm& view = *fake.Form("tMainForm");
  view.Click("btnSetup");
  EXPECT_EQ(view.ActivePage("PageControl1"), "TabSheet2");
}

TEST_F(MainFormTest, EitherCancelButtonClosesTheWindow) {
  for (const char* button : {"btnCancel", "BtnCancel2"}) {
    test::FakePlatform machine;
    ScopedPlatform use(machine);
    tMainForm form;
    machine.Form("tMainForm")->Click(button);
    EXPECT_TRUE(machine.Form("tMainForm")->closed) << button;
  }
}

TEST_F(MainFormTest, BrowseChangesTheEditOnlyForAnotherFolder) {
  struct Case {
    const char* answer;  // empty: the dialog was cancelled
    const char* expected;
  };
  const Case cases[] = {{"", "c:\\qv"}, {"E:\\Games", "e:\\games"}, {"c:\\qv", "c:\\qv"}};
  for (const Case& c : cases) {
    test::FakePlatform machine;
    ScopedPlatform use(machine);
    machine.browseAnswer = c.answer;
    tMainForm form;
    test::FakeForm& view = *machine.Form("tMainForm");
    view.Click("btnBrowse");
    EXPECT_EQ(view.Text("edInstallDir"), c.expected) << c.answer;
    ASSERT_EQ(machine.browseInitialFolders.size(), 1u);
    EXPECT_EQ(machine.browseInitialFolders[0], "c:\\qv");
    EXPECT_EQ(machine.browseCaptions[0],
              "Change Install Folder. Standard Corvana folders are qv and corvana\\qv. To install directly to a "
              "Corvana flash drive, select the drive, then the qv folder.");
  }
}

}  // namespace
}  // namespace tarnwick
