#include "fmiProgress.h"

#include <cstdint>

#include "platform/platform.h"
#include "util/exceptions.h"
#include "util/format.h"

namespace tarnwick {
namespace {

const char kLayoutName[] = "TInstProgressForm";
const char kPauseCaption[] = "Pause";
const char kResumeCaption[] = "Resume";
const char kFinishedStage[] = "Installation Successful.";
const char kOkCaption[] = "OK";
// The count keeps a right margin as wide as two digits, so that it does not touch the edge.
const char kCountMargin[] = "##";

}  // namespace

TInstProgressForm::TInstProgressForm() { window_ = Sys().CreateForm(kLayoutName, *this); }

TInstProgressForm::~TInstProgressForm() {
  window_.reset();
  view_ = nullptr;
}

void TInstProgressForm::Attach(FormView& view) { view_ = &view; }

EventHandler TInstProgressForm::Bind(const std::string& handlerName) {
  if (handlerName == "FormCreate") return [this](EventArgs&) { FormCreate(); };
  if (handlerName == "FormShow") return [this](EventArgs&) { FormShow(); };
  if (handlerName == "FormCloseQuery") return [this](EventArgs& args) { FormCloseQuery(args.canClose); };
  if (handlerName == "btnCancelClick") return [this](EventArgs&) { btnCancelClick(); };
  if (handlerName == "btnPauseClick") return [this](EventArgs& args) { btnPauseClick(args.sender); };
  if (handlerName == "AltPauseClick") return [this](EventArgs& args) { AltPauseClick(args.sender); };
  throw Exception("TInstProgressForm has no handler " + handlerName);
}

void TInstProgressForm::SetPaused(bool paused) {
  paused_ = paused;
  view_->SetText("btnPause", paused ? kResumeCaption : kPauseCaption);
}

void TInstProgressForm::SetCancelled(bool cancelled) {
  SetPaused(false);
  cancelled_ = cancelled;
}

void TInstProgressForm::SetProgramName(const Bytes& text) {
  view_->SetText("lbProgramName", text);
  CenterInParent(*view_, "lbProgramName");
}

void TInstProgressForm::SetStage(const Bytes& text) { view_->SetText("lbStage", text); }

void TInstProgressForm::SetCurrentFile(const Bytes& path) {
  view_->SetText("lbFileName", path);
  ++fileCount_;
  view_->SetText("lbFiles", Format("Files: %d", {static_cast<long long>(fileCount_)}));
  int width = view_->Bounds("lbFiles").width;
  view_->SetLeft("lbFiles",
                 view_->ParentClientWidth("lbFiles") - width - view_->TextWidth("lbFiles", kCountMargin));
}

void TInstProgressForm::SetTotalBytes(int32_t total) {
  totalBytes_ = total;
  view_->SetBarMax("pbar", total);
  for (const char* control : {"pbar", "lbFileName", "lbStatus"}) view_->SetVisible(control, true);
  SetPosition(0);
  fileCount_ = 0;
  view_->Repaint("pbar");
}

void TInstProgressForm::SetPosition(int32_t position) {
  view_->SetBarPosition("pbar", position);
  if (position != lastPosition_) {
    // Both numbers read as unsigned 32-bit values, as the bytes line has always shown them.
    Bytes separator = Sys().ThousandsSeparator();
    Bytes line = FormatThousands(static_cast<uint32_t>(position), separator) + " of " +
                 FormatThousands(static_cast<uint32_t>(totalBytes_), separator) + " bytes";
    view_->SetText("lbStatus", line);
    CenterInParent(*view_, "lbStatus");
    Sys().ProcessMessages();
  }
  lastPosition_ = position;
}

void TInstProgressForm::Show() { view_->Show(); }

void TInstProgressForm::FormCreate() {
  SetPaused(false);
  lastPosition_ = -1;
}

void TInstProgressForm::FormShow() {
  SetCancelled(false);
  SetPosition(0);
  for (const char* control : {"pbar", "lbFileName", "lbStatus"}) view_->SetVisible(control, false);
}

void TInstProgressForm::FormCloseQuery(bool& canClose) {
  canClose = !cancelled_;
  SetCancelled(true);
}

void TInstProgressForm::btnCancelClick() { SetCancelled(true); }

void TInstProgressForm::btnPauseClick(const std::string& sender) {
  view_->SetOnClick(sender, Bind("AltPauseClick"));
  SetPaused(true);
  while (paused_ && !cancelled_) Sys().ProcessMessagesOrWait();
}

void TInstProgressForm::AltPauseClick(const std::string& sender) {
  SetPaused(false);
  view_->SetOnClick(sender, Bind("btnPauseClick"));
}

void TInstProgressForm::ShowFinished() {
  bool cancelledOnEntry = cancelled_;
  view_->SetVisible("btnPause", false);
  view_->SetText("btnCancel", kOkCaption);
  CenterInParent(*view_, "btnCancel");
  view_->SetText("lbStage", kFinishedStage);
  view_->SetVisible("lbFileName", false);
  while (!cancelled_) Sys().ProcessMessagesOrWait();
  SetCancelled(cancelledOnEntry);
}

}  // namespace tarnwick
