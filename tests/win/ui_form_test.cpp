// Forms built from layouts: every control a named child window, captions as window texts,
// auto-sized labels, the lower-case edit, hidden-tab pages, clicks and closing.
#include <set>

#include "ui/create_form_win.h"
#include "ui/layout.h"
#include "win/ui_test_support.h"

namespace tarnwick::ui::test {
namespace {

Bytes MainLayoutText() {
  HRSRC found = FindResourceA(nullptr, "TMAINFORM", MAKEINTRESOURCEA(10));
  HGLOBAL loaded = LoadResource(nullptr, found);
  return Bytes(static_cast<const char*>(LockResource(loaded)), SizeofResource(nullptr, found));
}

void CollectNames(const ControlSpec& entry, std::set<std::string>& names) {
  for (const ControlSpec& child : entry.children) {
    names.insert(child.name);
    CollectNames(child, names);
  }
}

class UiForm : public UiTest {
 protected:
  std::unique_ptr<FormView> MainForm() { return CreateForm("tmainform", events); }
  RecordingEvents events;
};

TEST_F(UiForm, MainLayoutMakesEveryControlANamedChildWindowCaptionedAsTheLayoutSays) {
  ControlSpec layout = ParseLayout(MainLayoutText());
  auto form = MainForm();
  std::set<std::string> expected, found;
  CollectNames(layout, expected);
  for (HWND child : ChildWindows(FormWindow(*form))) {
    std::string name = LayoutNameOf(child);
    found.insert(name);
    const ControlSpec* entry = layout.Find(name);
    ASSERT_NE(entry, nullptr) << name;
    if (entry->Has("caption")) {
      EXPECT_EQ(WindowText(child), entry->Get("caption")) << name;
    }
  }
  EXPECT_EQ(found, expected);
  EXPECT_EQ(LayoutNameOf(FormWindow(*form)), "tMainForm");
  EXPECT_EQ(WindowText(ChildNamed(*form, "edInstallDir")), "c:\\qv");
  EXPECT_EQ(events.calls, std::vector<std::string>{"FormCreate tMainForm"});
  EXPECT_EQ(events.view, form.get());
  RECT client;
  GetClientRect(FormWindow(*form), &client);
  EXPECT_EQ(client.right, 685);
  EXPECT_EQ(client.bottom, 400);
  EXPECT_FALSE(IsWindowVisible(FormWindow(*form))) << "forms are made hidden";
}

TEST_F(UiForm, LabelsSizeThemselvesToTheirText) {
  auto form = MainForm();
  HWND label = ChildNamed(*form, "lbIns1");
  for (const Bytes& text : {Bytes("This will install Corvana Tarnwick"), Bytes("x"), Bytes("")}) {
    form->SetText("lbIns1", text);
    Rect bounds = form->Bounds("lbIns1");
    EXPECT_EQ(bounds.width, form->TextWidth("lbIns1", text)) << text;
    RECT device = RectInParent(label);
    EXPECT_EQ(device.right - device.left, bounds.width) << text;
    EXPECT_GT(device.bottom - device.top, 14) << "a line of Tahoma 15";
    EXPECT_EQ(WindowText(label), text);
  }
  form->SetText("lbIns1", "Version 3.24 05/11/04");
  CenterInParent(*form, "lbIns1");
  EXPECT_EQ(form->ParentWidth("lbIns1"), 492);
  EXPECT_EQ(form->Bounds("lbIns1").left, (492 - form->Bounds("lbIns1").width) / 2);
  EXPECT_EQ(RectInParent(label).left, form->Bounds("lbIns1").left);
  EXPECT_EQ(form->ParentWidth("lbP1Progname"), 185);
}

TEST_F(UiForm, TheEditHoldsWhatItIsGivenInLowerCase) {
  auto form = MainForm();
  form->SetText("edInstallDir", "E:\\Games\\QV");
  EXPECT_EQ(form->Text("edInstallDir"), "e:\\games\\qv");
  EXPECT_EQ(WindowText(ChildNamed(*form, "edInstallDir")), "e:\\games\\qv");
  EXPECT_TRUE(GetWindowLongA(ChildNamed(*form, "edInstallDir"), GWL_STYLE) & ES_LOWERCASE);
}

TEST_F(UiForm, OnePageShowsAtATime) {
  auto form = MainForm();
  EXPECT_EQ(form->ActivePage("PageControl1"), "TabSheet1");
  form->SetActivePage("TabSheet2");
  EXPECT_EQ(form->ActivePage("PageControl1"), "TabSheet2");
  EXPECT_TRUE(GetWindowLongA(ChildNamed(*form, "TabSheet2"), GWL_STYLE) & WS_VISIBLE);
  EXPECT_FALSE(GetWindowLongA(ChildNamed(*form, "TabSheet1"), GWL_STYLE) & WS_VISIBLE);
  EXPECT_THROW(form->SetActivePage("btnSetup"), Exception);
  EXPECT_THROW(form->Text("NoSuchControl"), Exception);
}

struct ClickCase {
  const char* name;
  std::vector<UINT> messages;  // posted to the button, in order
  LPARAM at;                   // where the mouse messages say the pointer is
  size_t clicks;
};

class UiClick : public UiForm, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(UiClick, PostedMouseMessagesClickAToolButton) {
  auto form = MainForm();
  events.calls.clear();
  HWND button = ChildNamed(*form, "btnSetup");
  for (UINT message : GetParam().messages) PostMessageA(button, message, 0, GetParam().at);
  ProcessMessages();
  EXPECT_EQ(events.calls, std::vector<std::string>(GetParam().clicks, "btnSetupClick btnSetup"));
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, UiClick,
    ::testing::Values(ClickCase{"DownThenUp", {WM_LBUTTONDOWN, WM_LBUTTONUP}, MAKELPARAM(5, 5), 1},
                      ClickCase{"UpAlone", {WM_LBUTTONUP}, MAKELPARAM(5, 5), 0},
                      ClickCase{"DownAlone", {WM_LBUTTONDOWN}, MAKELPARAM(5, 5), 0},
                      ClickCase{"ReleasedOutside", {WM_LBUTTONDOWN, WM_LBUTTONUP}, MAKELPARAM(500, 5), 0},
                      ClickCase{"BmClick", {BM_CLICK}, 0, 1},
                      ClickCase{"TwoClicks", {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}, MAKELPARAM(1, 1), 2},
                      ClickCase{"ClickThenBmClick", {WM_LBUTTONDOWN, WM_LBUTTONUP, BM_CLICK}, MAKELPARAM(1, 1), 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(UiForm, ADisabledWindowTakesNoClicks) {
  // While a modal box or the folder browser is open, the form is disabled.
  auto form = MainForm();
  events.calls.clear();
  EnableWindow(FormWindow(*form), FALSE);
  HWND button = ChildNamed(*form, "btnSetup");
  PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  SendMessageA(button, BM_CLICK, 0, 0);
  ProcessMessages();
  EXPECT_TRUE(events.calls.empty());
}

TEST_F(UiForm, ReplacedClickHandlerRunsOnTheNextClick) {
  auto form = MainForm();
  std::vector<std::string> replaced;
  form->SetOnClick("btnSetup", [&](EventArgs& args) { replaced.push_back(args.sender); });
  SendMessageA(ChildNamed(*form, "btnSetup"), BM_CLICK, 0, 0);
  EXPECT_EQ(replaced, std::vector<std::string>{"btnSetup"});
}

TEST_F(UiForm, AnExceptionInAHandlerIsReportedAndStopsAtTheWindowProcedure) {
  events.actions["btnSetupClick"] = [](EventArgs&) { throw Exception("Bad process handle"); };
  events.actions["btnCancelClick"] = [](EventArgs&) { throw 42; };
  auto form = MainForm();
  PostMessageA(ChildNamed(*form, "btnSetup"), BM_CLICK, 0, 0);
  PostMessageA(ChildNamed(*form, "btnCancel"), BM_CLICK, 0, 0);
  EXPECT_NO_THROW(ProcessMessages());
  EXPECT_EQ(reported, (std::vector<std::string>{"Bad process handle", "Unknown error"}));
}

TEST_F(UiForm, AnExceptionInOnCreateIsReportedAndTheFormStillComes) {
  events.actions["FormCreate"] = [](EventArgs&) { throw Exception("no folder"); };
  auto form = MainForm();
  EXPECT_NE(form, nullptr);
  EXPECT_EQ(reported, std::vector<std::string>{"no folder"});
}

const char kQueryLayout[] =
    "f: form client=200,100 frame=single icons=system OnCloseQuery=Query OnShow=Shown\n"
    "  b: toolbutton bounds=10,10,50,20 caption=\"Go\" OnClick=Go\n";

TEST_F(UiForm, ClosingAsksOnCloseQueryAndHidesTheWindowWhenGranted) {
  bool grant = false;
  events.actions["Query"] = [&](EventArgs& args) { args.canClose = grant; };
  auto form = CreateFormFromText(kQueryLayout, events);
  HWND window = FormWindow(*form);
  form->Show();
  EXPECT_TRUE(IsWindowVisible(window));
  SendMessageA(window, WM_CLOSE, 0, 0);  // the title bar's close button
  EXPECT_TRUE(IsWindowVisible(window)) << "refused";
  EXPECT_TRUE(IsWindow(window));
  grant = true;
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_TRUE(IsWindow(window)) << "closing hides; the owner destroys";
  EXPECT_EQ(events.calls, (std::vector<std::string>{"Shown f", "Query f", "Query f"}));
  EXPECT_FALSE(form->IsVisible(""));
}

TEST_F(UiForm, ClosingTheMainWindowEndsTheMessageLoop) {
  auto main = CreateFormFromText(kQueryLayout, events);
  RecordingEvents otherEvents;
  auto other = CreateFormFromText(kQueryLayout, otherEvents);
  EXPECT_EQ(MainWindow(), FormWindow(*main)) << "the first form made is the main window";
  other->Close();
  EXPECT_FALSE(Terminated());
  main->Close();
  EXPECT_TRUE(Terminated());
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  RunApplication();  // returns at once: the run has ended
}

TEST_F(UiForm, ABrokenLayoutRaisesAndLeavesNoWindowBehind) {
  const char* broken[] = {
      "f: form client=10,10\n  x: spinner bounds=0,0,5,5\n",
      "f: form client=10,10\n  x: label at=0,0\n  x: label at=0,0\n",
      "f: form client=10,10\n  x: toolbutton bounds=0,0,5,5 colour=mauve\n",
      "f: form client=10,10 frame=round\n",
      "f: form client=10,10\n  p: page\n",
  };
  for (const char* text : broken) {
    EXPECT_THROW(CreateFormFromText(text, events), Exception) << text;
    EXPECT_EQ(FindWindowA("TarnwickForm", nullptr), nullptr) << text;
  }
}

}  // namespace
}  // namespace tarnwick::ui::test
