// Scaling layout figures to the system DPI, and reading positions back in layout pixels.
#include "ui/fonts_win.h"
#include "win/ui_test_support.h"

namespace tarnwick::ui::test {
namespace {

struct ScaleCase {
  int value, dpi, expected;
};

class UiScale : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(UiScale, ScalesAndRoundsHalfAwayFromZero) {
  EXPECT_EQ(ScaleFor(GetParam().value, GetParam().dpi), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Figures, UiScale,
                         ::testing::Values(ScaleCase{685, 96, 685}, ScaleCase{685, 144, 1028},
                                           ScaleCase{400, 144, 600}, ScaleCase{185, 144, 278},
                                           ScaleCase{15, 120, 19}, ScaleCase{105, 192, 210},
                                           ScaleCase{-15, 144, -23}, ScaleCase{0, 144, 0}));

class UiDpi : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    OverrideDpiForTesting(144);
  }
  RecordingEvents events;
};

TEST_F(UiDpi, AFormAt144DpiIsScaledOnScreenAndReadsBackInLayoutPixels) {
  auto form = CreateForm("TMAINFORM", events);
  RECT client;
  GetClientRect(FormWindow(*form), &client);
  EXPECT_EQ(client.right, 1028);
  EXPECT_EQ(client.bottom, 600);

  EXPECT_EQ(form->Bounds("btnSetup").left, 102);
  EXPECT_EQ(form->Bounds("btnSetup").width, 73);
  RECT button = RectInParent(ChildNamed(*form, "btnSetup"));
  EXPECT_EQ(button.left, 153);
  EXPECT_EQ(button.right, 263) << "edges are scaled, so neighbours stay flush";
  EXPECT_EQ(button.bottom - button.top, 33);

  // The left panel and the page control meet without a gap.
  EXPECT_EQ(RectInParent(ChildNamed(*form, "AdvPanel1")).right, RectInParent(ChildNamed(*form, "PageControl1")).left);

  // Labels measure in device pixels and answer in layout pixels.
  form->SetText("lbIns1", "This will install Corvana Tarnwick");
  RECT label = RectInParent(ChildNamed(*form, "lbIns1"));
  EXPECT_EQ(form->Bounds("lbIns1").width, Unscale(label.right - label.left));
  EXPECT_EQ(form->TextWidth("lbIns1", "This will install Corvana Tarnwick"), form->Bounds("lbIns1").width);
  EXPECT_GE(label.bottom - label.top, 22) << "a 15-pixel font at 144 DPI";
  CenterInParent(*form, "lbIns1");
  EXPECT_EQ(form->Bounds("lbIns1").left, (492 - form->Bounds("lbIns1").width) / 2);
}

TEST_F(UiDpi, FontHeightsAreScaledOnce) {
  FontSpec tahoma15{"Tahoma", 15, false, 0};
  LOGFONTA font{};
  GetObjectA(LayoutFont(tahoma15), sizeof font, &font);
  EXPECT_EQ(font.lfHeight, -23) << "character height 15 at 144 DPI";
  OverrideDpiForTesting(96);
  GetObjectA(LayoutFont(tahoma15), sizeof font, &font);
  EXPECT_EQ(font.lfHeight, -15);
}

}  // namespace
}  // namespace tarnwick::ui::test
