// The task-dialog boxes: what each call asks for, and real dialogs answered from a timer
// on this thread while their modal loop runs.
#include "ui/boxes_win.h"
#include "win/ui_test_support.h"

namespace tarnwick::ui::test {
namespace {

struct SpecCase {
  const char* name;
  BoxSpec entry;
  TASKDIALOG_COMMON_BUTTON_FLAGS buttons;
  PCWSTR icon;
};

class UiBoxSpec : public ::testing::TestWithParam<SpecCase> {};

TEST_P(UiBoxSpec, AsksForTheButtonsAndIconOfTheCall) {
  EXPECT_EQ(GetParam().entry.buttons, GetParam().buttons);
  EXPECT_EQ(GetParam().entry.icon, GetParam().icon);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, UiBoxSpec,
    ::testing::Values(
        SpecCase{"OkCancelWarning", AskBoxSpec("t", "c", 0x31), TDCBF_OK_BUTTON | TDCBF_CANCEL_BUTTON, TD_WARNING_ICON},
        SpecCase{"PlainOk", AskBoxSpec("t", "c", 0x00), TDCBF_OK_BUTTON, nullptr},
        SpecCase{"YesNoError", AskBoxSpec("t", "c", MB_YESNO | MB_ICONERROR), TDCBF_YES_BUTTON | TDCBF_NO_BUTTON,
                 TD_ERROR_ICON},
        SpecCase{"DialogYesNoWarning", AskDialogSpec("t", 0, 1 | 2), TDCBF_YES_BUTTON | TDCBF_NO_BUTTON, TD_WARNING_ICON},
        SpecCase{"DialogOkCancelInformation", AskDialogSpec("t", 2, 4 | 8), TDCBF_OK_BUTTON | TDCBF_CANCEL_BUTTON,
                 TD_INFORMATION_ICON},
        SpecCase{"DialogNoButtonsGetsOk", AskDialogSpec("t", 0, 0), TDCBF_OK_BUTTON, TD_WARNING_ICON}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UiBoxText, AskBoxTakesCaptionAsTitleAndTextAsContent) {
  BoxSpec box = AskBoxSpec("line one\n\nline two", "Vexo355 Installer", 0x31);
  EXPECT_EQ(box.windowTitle, "Vexo355 Installer");
  EXPECT_EQ(box.content, "line one\n\nline two");
  EXPECT_TRUE(box.mainInstruction.empty());
}

struct ResultCase {
  int dialogResult;
  TASKDIALOG_COMMON_BUTTON_FLAGS buttons;
  int expected;
};

class UiBoxResult : public ::testing::TestWithParam<ResultCase> {};

TEST_P(UiBoxResult, ClosingWithoutACancelButtonAnswersNoOrOk) {
  EXPECT_EQ(BoxResult(GetParam().dialogResult, GetParam().buttons), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Answers, UiBoxResult,
                         ::testing::Values(ResultCase{IDOK, TDCBF_OK_BUTTON | TDCBF_CANCEL_BUTTON, IDOK},
                                           ResultCase{IDCANCEL, TDCBF_OK_BUTTON | TDCBF_CANCEL_BUTTON, IDCANCEL},
                                           ResultCase{IDYES, TDCBF_YES_BUTTON | TDCBF_NO_BUTTON, IDYES},
                                           ResultCase{IDCANCEL, TDCBF_YES_BUTTON | TDCBF_NO_BUTTON, IDNO},
                                           ResultCase{IDCANCEL, TDCBF_OK_BUTTON, IDOK}));

// --- Real dialogs ---

// What the timer does to the box it finds: press a button, or close the box.
struct Answer {
  int button = 0;  // 0: close with WM_CLOSE
  std::string title;
  bool answered = false;
};
Answer* pending = nullptr;

HWND FindBox() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM out) {
        char cls[32] = {};
        GetClassNameA(window, cls, sizeof cls);
        if (IsWindowVisible(window) && std::string(cls) == "#32770") {
          *reinterpret_cast<HWND*>(out) = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

void CALLBACK AnswerBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = FindBox();
  if (!box || !pending || pending->answered) return;
  KillTimer(nullptr, timer);
  char title[256] = {};
  GetWindowTextA(box, title, sizeof title);
  pending->title = title;
  pending->answered = true;
  if (pending->button) {
    SendMessageA(box, TDM_CLICK_BUTTON, pending->button, 0);
  } else {
    PostMessageA(box, WM_CLOSE, 0, 0);
  }
}

struct LiveCase {
  const char* name;
  std::function<int()> show;
  int button;
  int expected;
  const char* title;
};

class UiLiveBox : public UiTest, public ::testing::WithParamInterface<LiveCase> {};

TEST_P(UiLiveBox, AnswersWithTheIdOfWhatWasPressed) {
  Answer answer;
  answer.button = GetParam().button;
  pending = &answer;
  SetTimer(nullptr, 0, 100, AnswerBox);
  int result = GetParam().show();
  pending = nullptr;
  EXPECT_TRUE(answer.answered);
  EXPECT_EQ(result, GetParam().expected);
  EXPECT_EQ(answer.title, GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, UiLiveBox,
    ::testing::Values(
        LiveCase{"AskBoxOk", [] { return AskBoxDialog("text", "Vexo355 Installer", 0x31); }, IDOK, 1, "Vexo355 Installer"},
        LiveCase{"AskBoxClosed", [] { return AskBoxDialog("text", "Vexo355 Installer", 0x31); }, 0, 2, "Vexo355 Installer"},
        LiveCase{"AskDialogYes", [] { return AskDialogBox("question", 0, 3); }, IDYES, 6,
                 "Tarnwick Installer Version 3.24"},
        LiveCase{"AskDialogClosedIsNo", [] { return AskDialogBox("question", 0, 3); }, 0, 7,
                 "Tarnwick Installer Version 3.24"},
        LiveCase{"NoteWithoutTitle", [] { ShowNoteBox("", "note"); return 0; }, IDOK, 0,
                 "Tarnwick Installer Version 3.24"},
        LiveCase{"NoteTitled", [] { ShowNoteBox("Tarnwick", "note"); return 0; }, 0, 0, "Tarnwick"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnwick::ui::test
