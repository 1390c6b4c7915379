// The progress window against the in-memory machine: its layout, what each operation shows,
// and the pause, cancel, close and finished behaviour, driven by scripted clicks that the
// window's own message passes dispatch.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

#include "fake/fake_platform.h"
#include "fmiProgress.h"
#include "ui/layout.h"
#include "util/paths.h"

namespace tarnwick {
namespace {

using test::FakeForm;
using test::FakePlatform;

class ProgressWindowTest : public ::testing::Test {
 protected:
  // A window as the run has it once copying starts.
  void StartCopying(int32_t total) {
    form->SetProgramName("Tarnwick");
    form->SetStage("Installing ...");
    form->Show();
    form->SetTotalBytes(total);
  }
  FakeForm& View() { return *fake.Form("TInstProgressForm"); }
  // Queues an action for the next message pass.
  void Queue(std::function<void(FakeForm&)> action) {
    fake.queue.push_back([this, action] { action(View()); });
  }

  FakePlatform fake;
  ScopedPlatform installed{fake};
  std::unique_ptr<TInstProgressForm> form = std::make_unique<TInstProgressForm>();
};

struct Placed {
  const char* control;
  Rect bounds;  // labels size to their text: width and height come from the caption and font
};

TEST_F(ProgressWindowTest, IsBuiltFromItsLayoutWithEveryControlInPlace) {
  FakeForm& view = View();
  EXPECT_EQ(view.Text(""), "Installation Progress");
  EXPECT_EQ(view.Bounds("").width, 447);
  EXPECT_EQ(view.Bounds("").height, 170);
  const Placed placed[] = {
      {"AdvPanel1", {0, 0, 447, 129}},   {"AdvPanel2", {0, 129, 447, 41}},  {"lbStage", {8, 10, 0, 0}},
      {"lbProgramName", {134, 41, 0, 0}}, {"lbFileName", {10, 75, 0, 0}},  {"lbFiles", {368, 73, 0, 0}},
      {"pbar", {8, 92, 433, 18}},        {"lbStatus", {167, 113, 0, 0}},    {"btnPause", {54, 6, 114, 26}},
      {"btnCancel", {267, 6, 114, 26}},
  };
  for (const Placed& p : placed) {
    Rect b = view.Bounds(p.control);
    EXPECT_EQ(b.left, p.bounds.left) << p.control;
    EXPECT_EQ(b.top, p.bounds.top) << p.control;
    if (p.bounds.width) {
      EXPECT_EQ(b.width, p.bounds.width) << p.control;
      EXPECT_EQ(b.height, p.bounds.height) << p.control;
    }
  }
  EXPECT_EQ(view.Control("lbProgramName").font.height, 15);
  EXPECT_TRUE(view.Control("lbProgramName").font.bold);
  EXPECT_EQ(view.Control("lbFiles").font.height, 13);  // the panel's font
  EXPECT_EQ(view.Control("pbar").font.face, "Verdana");
  EXPECT_EQ(view.Text("lbFiles"), "Files:  0");
  EXPECT_EQ(view.Control("pbar").barPosition, 50);
}

// The control layer paints these; a misspelt colour would be painted as nothing at all.
void ExpectColoursParse(const ControlSpec& entry) {
  for (const char* key : {"colour", "colourto", "mirror", "level0", "level1", "level2", "level3", "down", "hot"}) {
    if (!entry.Has(key)) continue;
    Bytes list = entry.Get(key);
    while (!list.empty()) {
      Bytes part = SplitFirst(list, ",");
      EXPECT_TRUE(ParseColour(part).has_value()) << entry.name << " " << key << "=" << part;
    }
  }
  for (const ControlSpec& child : entry.children) ExpectColoursParse(child);
}

TEST(ProgressWindowLayout, GivesTheBarItsLevelsAndEveryColourInAFormThePainterReads) {
  std::ifstream in(TARNWICK_SOURCE_DIR "/resources/layouts/TInstProgressForm.layout", std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  const ControlSpec layout = ParseLayout(text.str());
  ExpectColoursParse(layout);
  const ControlSpec* bar = layout.Find("pbar");
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->Get("levels"), "70,90");
  EXPECT_EQ(bar->Get("level2"), "#FFA953,#FFD3A8");
  EXPECT_EQ(layout.Get("colour"), "maroon");
}

TEST_F(ProgressWindowTest, IsHiddenAndQuietUntilShown) {
  EXPECT_FALSE(View().shown);
  EXPECT_EQ(form->LastPosition(), -1);
  EXPECT_EQ(fake.pumpCount, 0);
  EXPECT_EQ(View().Text("btnPause"), "Pause");
}

TEST_F(ProgressWindowTest, ShowingItPumpsOnceAndLeavesTheStartingState) {
  form->SetProgramName("Tarnwick");
  form->SetStage("Installing ...");
  form->Show();
  FakeForm& view = View();
  EXPECT_TRUE(view.shown);
  EXPECT_EQ(fake.pumpCount, 1);
  EXPECT_EQ(form->LastPosition(), 0);
  EXPECT_FALSE(form->Cancelled());
  EXPECT_FALSE(form->Paused());
  EXPECT_EQ(view.Text("lbProgramName"), "Tarnwick");
  EXPECT_EQ(view.Bounds("lbProgramName").left, (447 - 8 * 7) / 2);  // centred: 8 bytes at 7 pixels
  EXPECT_EQ(view.Text("lbStage"), "Installing ...");
  EXPECT_EQ(view.Bounds("lbStage").left, 8);
  for (const char* hidden : {"pbar", "lbFileName", "lbStatus"}) EXPECT_FALSE(view.IsVisible(hidden)) << hidden;
  for (const char* shown : {"lbFiles", "btnPause", "btnCancel", "lbProgramName", "lbStage"})
    EXPECT_TRUE(view.IsVisible(shown)) << shown;
  EXPECT_EQ(view.Text("lbFiles"), "Files:  0");
}

TEST_F(ProgressWindowTest, SettingTheTotalShowsTheBarAndRestartsTheCount) {
  form->Show();
  form->SetCurrentFile("c:\\qv\\early.txt");
  form->SetTotalBytes(1234567);
  FakeForm& view = View();
  EXPECT_EQ(form->TotalBytes(), 1234567);
  EXPECT_EQ(form->FileCount(), 0);
  EXPECT_EQ(view.Control("pbar").barMax, 1234567);
  EXPECT_EQ(view.Control("pbar").barPosition, 0);
  EXPECT_EQ(view.Control("pbar").repaints, 1);
  for (const char* shown : {"pbar", "lbFileName", "lbStatus"}) EXPECT_TRUE(view.IsVisible(shown)) << shown;
  // Position 0 was already shown by FormShow, so no message pass happens before the first file.
  EXPECT_EQ(fake.pumpCount, 1);
  form->SetPosition(1000);
  EXPECT_EQ(view.Text("lbStatus"), "1,000 of 1,234,567 bytes");
}

TEST_F(ProgressWindowTest, TheCountRisesOnEveryFileAndStaysRightAligned) {
  StartCopying(100);
  FakeForm& view = View();
  const int pumps = fake.pumpCount;
  for (int n = 1; n <= 10; ++n) {
    form->SetCurrentFile("c:\\qv\\same.txt");  // a path given before still counts
    const Bytes expected = "Files: " + std::to_string(n);
    ASSERT_EQ(view.Text("lbFiles"), expected);
    // The parent's client width less the label less "##" (2 bytes at 6 pixels).
    EXPECT_EQ(view.Bounds("lbFiles").left, 447 - static_cast<int>(expected.size()) * 6 - 12) << n;
  }
  EXPECT_EQ(form->FileCount(), 10);
  EXPECT_EQ(view.Text("lbFileName"), "c:\\qv\\same.txt");
  EXPECT_EQ(fake.pumpCount, pumps);
}

struct BytesLineCase {
  const char* name;
  Bytes separator;
  int32_t total;
  int32_t position;
  Bytes expected;
};

class BytesLineTest : public ProgressWindowTest, public ::testing::WithParamInterface<BytesLineCase> {};

TEST_P(BytesLineTest, ShowsBothNumbersGroupedByTheLocaleAndCentred) {
  const BytesLineCase& c = GetParam();
  fake.thousandsSeparator = c.separator;
  StartCopying(c.total);
  const int pumps = fake.pumpCount;
  form->SetPosition(c.position);
  FakeForm& view = View();
  EXPECT_EQ(view.Text("lbStatus"), c.expected);
  EXPECT_EQ(view.Bounds("lbStatus").left, (447 - static_cast<int>(c.expected.size()) * 6) / 2);
  EXPECT_EQ(fake.pumpCount, pumps + 1);
  EXPECT_EQ(view.Control("pbar").barPosition, c.position);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BytesLineTest,
    ::testing::Values(BytesLineCase{"Comma", ",", 1234567, 1000, "1,000 of 1,234,567 bytes"},
                      BytesLineCase{"Dot", ".", 150994944, 999, "999 of 150.994.944 bytes"},
                      BytesLineCase{"NoBreakSpace", "\xA0", 1000000, 1000000, "1\xA0" "000\xA0" "000 of 1\xA0" "000\xA0" "000 bytes"},
                      BytesLineCase{"NoSeparator", "", 123456, 12345, "12345 of 123456 bytes"},
                      // Both numbers read as unsigned 32-bit values.
                      BytesLineCase{"Unsigned", ",", -1, INT32_MIN, "2,147,483,648 of 4,294,967,295 bytes"}),
    [](const ::testing::TestParamInfo<BytesLineCase>& info) { return std::string(info.param.name); });

TEST_F(ProgressWindowTest, AnUnchangedPositionMovesOnlyTheBar) {
  StartCopying(1000);
  form->SetPosition(500);
  FakeForm& view = View();
  const int pumps = fake.pumpCount;
  view.Control("pbar").barPosition = 0;
  view.SetText("lbStatus", "untouched");
  form->SetPosition(500);
  EXPECT_EQ(view.Control("pbar").barPosition, 500);
  EXPECT_EQ(view.Text("lbStatus"), "untouched");
  EXPECT_EQ(fake.pumpCount, pumps);
}

TEST_F(ProgressWindowTest, PauseHoldsTheCallerUntilResumeAndTheButtonTogglesBack) {
  StartCopying(1000);
  bool pausedInside = false;
  Bytes captionInside;
  Queue([](FakeForm& view) { view.Click("btnPause"); });
  Queue([&](FakeForm& view) {
    pausedInside = form->Paused();
    captionInside = view.Text("btnPause");
  });
  Queue([](FakeForm& view) { view.Click("btnPause"); });  // now Resume
  form->SetPosition(100);  // returns only once the pause is over
  EXPECT_TRUE(pausedInside);
  EXPECT_EQ(captionInside, "Resume");
  EXPECT_FALSE(form->Paused());
  EXPECT_FALSE(form->Cancelled());
  EXPECT_EQ(View().Text("btnPause"), "Pause");
  EXPECT_TRUE(fake.queue.empty());

  // The same button pauses again after a resume.
  bool pausedAgain = false;
  Queue([](FakeForm& view) { view.Click("btnPause"); });
  Queue([&](FakeForm&) { pausedAgain = form->Paused(); });
  Queue([](FakeForm& view) { view.Click("btnPause"); });
  form->SetPosition(200);
  EXPECT_TRUE(pausedAgain);
  EXPECT_FALSE(form->Paused());
}

struct PauseEnd {
  const char* name;
  std::function<void(FakeForm&)> action;
  bool windowStaysShown;
};

class PauseEndTest : public ProgressWindowTest, public ::testing::WithParamInterface<PauseEnd> {};

TEST_P(PauseEndTest, ACancelDuringAPauseEndsThePause) {
  StartCopying(1000);
  Queue([](FakeForm& view) { view.Click("btnPause"); });
  Queue(GetParam().action);
  form->SetPosition(100);
  EXPECT_FALSE(form->Paused());
  EXPECT_TRUE(form->Cancelled());
  EXPECT_EQ(View().Text("btnPause"), "Pause");
  EXPECT_EQ(View().shown, GetParam().windowStaysShown);
}

INSTANTIATE_TEST_SUITE_P(
    Ends, PauseEndTest,
    ::testing::Values(PauseEnd{"CancelButton", [](FakeForm& view) { view.Click("btnCancel"); }, true},
                      PauseEnd{"CloseRequest", [](FakeForm& view) { view.RequestClose(); }, false}),
    [](const ::testing::TestParamInfo<PauseEnd>& info) { return std::string(info.param.name); });

TEST_F(ProgressWindowTest, ACloseRequestWhileCopyingHidesTheWindowAndCancels) {
  StartCopying(1000);
  View().RequestClose();
  EXPECT_TRUE(form->Cancelled());
  EXPECT_TRUE(View().closed);
  EXPECT_FALSE(View().shown);
  EXPECT_EQ(fake.forms.size(), 1u);  // hidden, not destroyed
}

TEST_F(ProgressWindowTest, ACloseRequestWithACancelPendingIsRefusedAndKeepsTheCancel) {
  StartCopying(1000);
  View().Click("btnCancel");
  View().RequestClose();
  EXPECT_TRUE(form->Cancelled());
  EXPECT_FALSE(View().closed);
  EXPECT_TRUE(View().shown);
}

struct FinishedEnd {
  const char* name;
  std::function<void(FakeForm&)> action;
  bool windowStaysShown;
};

class FinishedEndTest : public ProgressWindowTest, public ::testing::WithParamInterface<FinishedEnd> {};

TEST_P(FinishedEndTest, TheFinishedStateWaitsAndItsAcknowledgementIsNoCancel) {
  StartCopying(1000);
  form->SetCurrentFile("c:\\qv\\last.txt");
  form->SetPosition(1000);
  const Bytes bytesLine = View().Text("lbStatus");
  bool waitedInFinishedState = false;
  Queue([&](FakeForm& v) {
    waitedInFinishedState = v.Text("lbStage") == "Installation Successful." && !v.IsVisible("btnPause") &&
                            v.Text("btnCancel") == "OK" && v.Bounds("btnCancel").left == 166 &&
                            !v.IsVisible("lbFileName");
  });
  Queue(GetParam().action);
  form->ShowFinished();
  EXPECT_TRUE(waitedInFinishedState);
  EXPECT_FALSE(form->Cancelled());
  EXPECT_TRUE(fake.queue.empty());
  FakeForm& view = View();
  EXPECT_EQ(view.shown, GetParam().windowStaysShown);
  // The bar, the bytes line and the count stay as the last file left them.
  EXPECT_EQ(view.Text("lbStatus"), bytesLine);
  EXPECT_EQ(view.Text("lbFiles"), "Files: 1");
  EXPECT_EQ(view.Control("pbar").barPosition, 1000);
}

INSTANTIATE_TEST_SUITE_P(
    Ends, FinishedEndTest,
    ::testing::Values(FinishedEnd{"OkButton", [](FakeForm& view) { view.Click("btnCancel"); }, true},
                      FinishedEnd{"CloseRequest", [](FakeForm& view) { view.RequestClose(); }, false}),
    [](const ::testing::TestParamInfo<FinishedEnd>& info) { return std::string(info.param.name); });

TEST_F(ProgressWindowTest, FinishedWithACancelPendingReturnsAtOnce) {
  StartCopying(1000);
  View().Click("btnCancel");
  const int pumps = fake.pumpCount;
  form->ShowFinished();  // the fake raises FakeHang if this waited
  EXPECT_TRUE(form->Cancelled());
  EXPECT_EQ(fake.pumpCount, pumps);
}

TEST_F(ProgressWindowTest, DestroyingTheObjectDestroysTheWindow) {
  StartCopying(1000);
  form.reset();
  EXPECT_TRUE(fake.forms.empty());
  EXPECT_EQ(fake.calls.back(), "DestroyForm TInstProgressForm");
}

}  // namespace
}  // namespace tarnwick
