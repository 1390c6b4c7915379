// The Install button: the drive check, the hidden window during the run, and what the
// window does afterwards for a finished, a failed and an aborted run.
#include <gtest/gtest.h>

#include "fmMain.h"
#include "install_fixture.h"
#include "ucargo.h"

namespace tarnwick {
namespace {

class InstallActionTest : public test::InstallFixture {
 protected:
  InstallActionTest() {
    fake.windows64 = true;
    DosBoxPath = "c:\\program files (x86)\\dosbox-0.74\\dosbox.exe";
  }
  test::FakeForm& Main() { return *fake.Form("tMainForm"); }
  void PressInstall(const char* folder) {
    Main().Click("btnSetup");
    Main().SetText("edInstallDir", folder);
    Main().Click("btnInstall");
  }
  tMainForm form;
};

TEST_F(InstallActionTest, ARefusedDriveLeavesTheWindowAsItWas) {
  fake.driveTypes["d:\\"] = kDriveCdRom;
  Main().Show();
  PressInstall("d:\\qv");
  ASSERT_EQ(fake.boxes.size(), 1u);
  EXPECT_EQ(fake.boxes[0].text, "Install Directory is not on a valid device.");
  EXPECT_EQ(Main().hideCount, 0);
  EXPECT_TRUE(Main().shown);
  EXPECT_EQ(Main().Text("edInstallDir"), "d:\\qv");
  EXPECT_EQ(fake.Form("TInstProgressForm"), nullptr);
}

TEST_F(InstallActionTest, ASuccessfulRunClosesTheWindowWhichEndsTheProgram) {
  Main().Show();
  PressInstall("c:\\corvana\\qv");
  EXPECT_EQ(FilesInstalled("c:\\corvana\\qv\\"), 9);
  EXPECT_TRUE(Main().closed);
  EXPECT_FALSE(Main().shown);
}

TEST_F(InstallActionTest, ACancelledRunBringsTheWindowBackWithTheNotice) {
  Main().Show();
  ClickDuringFile(1, "btnCancel");
  PressInstall("c:\\qv");
  EXPECT_TRUE(Main().shown);
  EXPECT_FALSE(Main().closed);
  EXPECT_EQ(Main().ActivePage("PageControl1"), "TabSheet2");
  ASSERT_GE(fake.boxes.size(), 2u);
  EXPECT_EQ(fake.boxes[fake.boxes.size() - 2].text, "Installation cancelled. 1 of 9 files were installed.");
  EXPECT_EQ(fake.boxes.back().kind, "ShowNote");
  EXPECT_EQ(fake.boxes.back().text, "Tarnwick was not installed.");
}

TEST_F(InstallActionTest, ARunEndedByAnErrorBringsTheWindowBackAndPassesTheError) {
  fake.resources.erase("RS_HLP");
  Main().Show();
  Main().Click("btnSetup");
  Main().SetText("edInstallDir", "c:\\qv");
  EXPECT_THROW(Main().Click("btnInstall"), Exception);
  EXPECT_TRUE(Main().shown) << "the user must be able to try again or cancel";
  EXPECT_EQ(fake.Form("TInstProgressForm"), nullptr);
}

}  // namespace
}  // namespace tarnwick
