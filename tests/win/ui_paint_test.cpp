// What the controls paint: the one gradient painter, transparent labels over gradients,
// tool-button states, the bar's colour levels and the image canvas. Controls are drawn
// into a bitmap through WM_PRINTCLIENT, the same Paint that WM_PAINT double-buffers.
#include <cstdint>

#include "ui/controls_win.h"
#include "ui/create_form_win.h"
#include "ui/gdi_win.h"
#include "ui/gradient_win.h"
#include "win/ui_test_support.h"

namespace tarnwick::ui::test {
namespace {

// A 32-bit bitmap with a DC, whose pixels can be read directly.
class Surface {
 public:
  Surface(int width, int height, Colour fill = 0x123456) : width_(width) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<uint32_t*>(bits);
    old_ = SelectObject(dc_.Get(), bitmap_.Get());
    for (int i = 0; i < width * height; ++i) bits_[i] = fill;
  }
  ~Surface() { SelectObject(dc_.Get(), old_); }
  HDC Dc() const { return dc_.Get(); }
  Colour At(int x, int y) const {
    GdiFlush();
    return bits_[y * width_ + x] & 0xFFFFFF;
  }

 private:
  int width_;
  MemoryDC dc_;
  GdiObject<HBITMAP> bitmap_;
  uint32_t* bits_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

std::unique_ptr<Surface> Render(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  auto surface = std::make_unique<Surface>(client.right, client.bottom);
  SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface->Dc()), PRF_CLIENT);
  return surface;
}

const Colour kRed = 0xFF0000, kMaroon = 0x800000, kBlack = 0x000000;

// --- The painter ---

struct GradientCase {
  const char* name;
  Gradient gradient;
  int width, height;
  std::vector<std::pair<POINT, Colour>> expected;
};

Gradient Make(Colour from, Colour to, GradientStyle style, std::optional<Colour> mirror = {},
              std::optional<Colour> mirrorTo = {}) {
  Gradient g = VerticalGradient(from, to);
  g.style = style;
  g.mirror = mirror;
  g.mirrorTo = mirrorTo;
  return g;
}

class UiGradient : public ::testing::TestWithParam<GradientCase> {};

TEST_P(UiGradient, PaintsTheColoursOfItsStyle) {
  const GradientCase& c = GetParam();
  Surface surface(c.width, c.height);
  RECT shape{0, 0, c.width, c.height};
  PaintGradient(surface.Dc(), shape, shape, c.gradient);
  for (const auto& [at, colour] : c.expected)
    EXPECT_EQ(surface.At(at.x, at.y), colour) << "at " << at.x << "," << at.y;
}

INSTANTIATE_TEST_SUITE_P(
    Styles, UiGradient,
    ::testing::Values(
        GradientCase{"Vertical", Make(kRed, kMaroon, GradientStyle::kVertical), 6, 11,
                     {{{0, 0}, kRed}, {{5, 0}, kRed}, {{0, 10}, kMaroon}, {{3, 5}, 0xBF0000}}},
        GradientCase{"Horizontal", Make(kRed, kBlack, GradientStyle::kHorizontal), 11, 4,
                     {{{0, 0}, kRed}, {{10, 3}, kBlack}, {{5, 2}, 0x7F0000}}},
        GradientCase{"Pyramid", Make(kMaroon, kRed, GradientStyle::kPyramid), 21, 11,
                     {{{0, 0}, kMaroon}, {{20, 10}, kMaroon}, {{10, 0}, kMaroon}, {{0, 5}, kMaroon}, {{10, 5}, kRed}}},
        GradientCase{"MirrorPlain", Make(kRed, kMaroon, GradientStyle::kVertical, kMaroon), 4, 20,
                     {{{0, 0}, kRed}, {{0, 9}, kMaroon}, {{0, 10}, kMaroon}, {{0, 19}, kMaroon}}},
        GradientCase{"MirrorShaded", Make(kRed, kMaroon, GradientStyle::kVertical, kMaroon, kBlack), 4, 20,
                     {{{0, 0}, kRed}, {{0, 10}, kMaroon}, {{0, 19}, kBlack}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UiGradientArea, PaintsOnlyTheAreaAskedFor) {
  Surface surface(10, 10);
  RECT shape{0, 0, 10, 10}, area{2, 2, 5, 5};
  PaintGradient(surface.Dc(), shape, area, VerticalGradient(kRed, kMaroon));
  EXPECT_EQ(surface.At(1, 1), 0x123456u);
  EXPECT_EQ(surface.At(5, 5), 0x123456u);
  EXPECT_EQ(surface.At(3, 3), Blend(kRed, kMaroon, 3, 9)) << "coloured by its place in the whole shape";
}

TEST(UiBlend, EndsAtItsTwoColoursAndStaysBetween) {
  EXPECT_EQ(Blend(kRed, 0x00FF00, 0, 7), kRed);
  EXPECT_EQ(Blend(kRed, 0x00FF00, 7, 7), 0x00FF00u);
  EXPECT_EQ(Blend(kRed, 0x00FF00, 9, 7), 0x00FF00u);
  EXPECT_EQ(Blend(kRed, 0x00FF00, 3, 0), kRed) << "a one-pixel gradient is its start colour";
  EXPECT_EQ(Blend(0x000000, 0xFFFFFF, 1, 2), 0x808080u);
}

// --- Controls ---

class UiPaint : public UiTest {
 protected:
  RecordingEvents events;
};

TEST_F(UiPaint, ATransparentLabelShowsThePageGradientBeneathIt) {
  auto form = CreateForm("TMAINFORM", events);
  form->SetText("lbIns1", "This will install Corvana Tarnwick");
  HWND label = ChildNamed(*form, "lbIns1");
  auto labelPixels = Render(label);
  auto gradientPixels = Render(ChildNamed(*form, "JvGradient1"));
  RECT at = RectInParent(label);
  // The top row is the font's internal leading: no glyph reaches it.
  for (int x : {0, 7, int(at.right - at.left) - 1})
    EXPECT_EQ(labelPixels->At(x, 0), gradientPixels->At(at.left + x, at.top)) << x;
}

TEST_F(UiPaint, LabelsWithAColourOfTheirOwnPaintIt) {
  auto form = CreateFormFromText(
      "f: form client=200,100 colour=maroon\n"
      "  p: gradientpanel bounds=0,0,200,100 colour=red colourto=maroon mirror=maroon font=Tahoma,13,bold,white\n"
      "    own: label at=10,40 caption=\"Installing\" colour=red\n"
      "    bare: label at=10,70 caption=\"Files\"\n",
      events);
  EXPECT_EQ(Render(ChildNamed(*form, "own"))->At(0, 0), kRed);
  auto panel = Render(ChildNamed(*form, "p"));
  EXPECT_EQ(Render(ChildNamed(*form, "bare"))->At(0, 0), panel->At(10, 70));
  EXPECT_EQ(panel->At(5, 99), kMaroon) << "the panel's lower half is its mirror colour";
}

TEST_F(UiPaint, AToolButtonShowsItsNormalHotAndPressedColours) {
  auto form = CreateForm("TMAINFORM", events);
  HWND button = ChildNamed(*form, "btnSetup");
  RECT r;
  GetClientRect(button, &r);
  auto normal = Render(button);
  EXPECT_EQ(normal->At(1, 0), kRed);
  EXPECT_EQ(normal->At(1, r.bottom - 1), kMaroon);

  SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  auto hot = Render(button);
  EXPECT_EQ(hot->At(1, 0), kMaroon);
  EXPECT_EQ(hot->At(1, r.bottom - 1), kBlack);

  SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  auto pressed = Render(button);
  EXPECT_EQ(pressed->At(1, 0), 0xD2D3D8u);
  EXPECT_EQ(pressed->At(1, r.bottom - 1), 0xD2D3D8u);
  ReleaseCapture();
}

TEST_F(UiPaint, ARoundedButtonShowsWhatLiesBeneathItsCorners) {
  auto form = CreateFormFromText(
      "f: form client=200,100 colour=maroon\n"
      "  p: gradientpanel bounds=0,0,200,100 colour=#336699\n"
      "    b: toolbutton bounds=10,10,114,26 caption=\"Pause\" rounded=true colour=red colourto=black\n",
      events);
  auto pixels = Render(ChildNamed(*form, "b"));
  EXPECT_EQ(pixels->At(0, 0), 0x336699u);
  EXPECT_EQ(pixels->At(57, 0), kRed);
}

struct LevelCase {
  int position;
  Colour barTop;
};

class UiBarLevels : public UiPaint, public ::testing::WithParamInterface<LevelCase> {};

TEST_P(UiBarLevels, TheBarTakesTheColourOfItsLevel) {
  auto form = CreateFormFromText(
      "f: form client=200,40\n"
      "  pbar: progressbar bounds=0,0,102,18 max=100 border=true levels=70,90 level0=lime,#E1FFE1 "
      "level1=yellow,#FFFFCA level2=#FFA953,#FFD3A8 level3=red,#FFCACA\n",
      events);
  form->SetBarPosition("pbar", GetParam().position);
  auto pixels = Render(ChildNamed(*form, "pbar"));
  EXPECT_EQ(pixels->At(0, 0), 0x808080u) << "border";
  EXPECT_EQ(pixels->At(1, 1), GetParam().barTop);
  EXPECT_EQ(pixels->At(100, 9), GetParam().position < 99 ? 0xFFFFFFu : pixels->At(1, 9)) << "the rest is the trough";
}

INSTANTIATE_TEST_SUITE_P(Positions, UiBarLevels,
                         ::testing::Values(LevelCase{50, 0x00FF00}, LevelCase{69, 0x00FF00}, LevelCase{70, 0xFFFF00},
                                           LevelCase{89, 0xFFFF00}, LevelCase{90, 0xFFA953}, LevelCase{100, 0xFFA953}));

TEST_F(UiPaint, TheImageCanvasDrawsTheLogoInLayoutPixels) {
  auto form = CreateForm("TMAINFORM", events);
  {
    std::unique_ptr<Canvas> canvas = form->ImageCanvas("Image1");
    Size size = canvas->ClientSize();
    EXPECT_EQ(size.width, 105);
    EXPECT_EQ(size.height, 105);
    canvas->FillRect(kRed, Rect{0, 0, 105, 105});
    canvas->SetPen(0xFFFF00, 10);
    EXPECT_EQ(canvas->PenWidth(), 10);
    canvas->MoveTo(0, 0);
    for (auto [x, y] : {std::pair{105, 0}, {105, 105}, {0, 105}, {0, 0}}) canvas->LineTo(x, y);
    canvas->SetFont(59, 0xFFFFFF, true);
    Size extent = canvas->TextExtent("X9");
    EXPECT_EQ(extent.height, 59) << "a positive height is the cell height";
    EXPECT_GT(extent.width, 30);
    canvas->TextOut((105 - extent.width + 1) / 2, (105 - extent.height) / 2, "X9");
  }
  auto pixels = Render(ChildNamed(*form, "Image1"));
  EXPECT_EQ(pixels->At(1, 50), 0xFFFF00u) << "the inner half of the pen along the left edge";
  EXPECT_EQ(pixels->At(50, 103), 0xFFFF00u) << "bottom edge";
  EXPECT_EQ(pixels->At(8, 50), kRed);
  EXPECT_EQ(pixels->At(8, 8), kRed);
  int white = 0;
  for (int y = 30; y < 75; ++y)
    for (int x = 25; x < 80; ++x) white += pixels->At(x, y) == 0xFFFFFFu;
  EXPECT_GT(white, 200) << "the white X9 in the middle";
}

}  // namespace
}  // namespace tarnwick::ui::test
