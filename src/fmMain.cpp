#include "fmMain.h"

#include "platform/message_boxes.h"
#include "platform/platform.h"
#include "product_texts.h"
#include "ucargo.h"
#include "util/exceptions.h"
#include "util/format.h"
#include "util/paths.h"

namespace tarnwick {
namespace {

const char kCaptionFormat[] = "Corvana %s Installer";
const char kInstallLine[] = "This will install Corvana Tarnwick";
const char kVersionLine[] = "Version 3.24 05/11/04";
const char kMakersFolder[] = "corvana\\qv";
const char kPlainFolder[] = "qv";
const char kBrowseCaption[] =
    "Change Install Folder. Standard Corvana folders are qv and corvana\\qv. To install directly "
    "to a Corvana flash drive, select the drive, then the qv folder.";

constexpr Colour kRed = 0xFF0000, kYellow = 0xFFFF00, kWhite = 0xFFFFFF;

}  // namespace

Bytes DefaultInstallFolder() {
  Bytes windows = Sys().GetSpecialFolder(kCsidlWindows);
  size_t backslash = windows.find('\\');
  Bytes root = backslash == Bytes::npos ? Bytes() : windows.substr(0, backslash + 1);
  if (Sys().FolderExists(root + kMakersFolder)) return root + kMakersFolder;
  return root + kPlainFolder;
}

tMainForm::tMainForm() { window_ = Sys().CreateForm("tMainForm", *this); }

tMainForm::~tMainForm() = default;

EventHandler tMainForm::Bind(const std::string& handlerName) {
  using Method = void (tMainForm::*)();
  static const struct {
    const char* name;
    Method method;
  } handlers[] = {{"FormCreate", &tMainForm::FormCreate},         {"btnSetupClick", &tMainForm::btnSetupClick},
                  {"btnCancelClick", &tMainForm::btnCancelClick}, {"btnBrowseClick", &tMainForm::btnBrowseClick},
                  {"btnInstallClick", &tMainForm::btnInstallClick}};
  for (const auto& handler : handlers) {
    if (handlerName == handler.name) {
      Method method = handler.method;
      return [this, method](EventArgs&) { (this->*method)(); };
    }
  }
  throw Exception("Unknown event handler " + handlerName + " in tMainForm");
}

void tMainForm::FormCreate() {
  view_->SetActivePage("TabSheet1");
  view_->SetText("tMainForm", Format(kCaptionFormat, {Bytes(kProductName)}));
  view_->SetText("lbIns1", kInstallLine);
  view_->SetText("lbIns2", kVersionLine);
  CenterInParent(*view_, "lbIns1");
  CenterInParent(*view_, "lbIns2");
  view_->SetText("lbP1Progname", kProductName);
  view_->SetText("lbP1ProgVer", kProductVersion);
  CenterInParent(*view_, "lbP1Progname");
  CenterInParent(*view_, "lbP1ProgVer");
  DrawLogo();
  view_->SetText("edInstallDir", DefaultInstallFolder());
}

void tMainForm::DrawLogo() {
  std::unique_ptr<Canvas> canvas = view_->ImageCanvas("Image1");
  const Size size = canvas->ClientSize();
  const int w = size.width, h = size.height;
  canvas->FillRect(kRed, Rect{0, 0, w, h});
  canvas->SetPen(kYellow, 10);
  // The lines run along the edges, so only the inner half of the pen shows as the frame.
  canvas->MoveTo(0, 0);
  canvas->LineTo(w, 0);
  canvas->LineTo(w, h);
  canvas->LineTo(0, h);
  canvas->LineTo(0, 0);
  canvas->SetFont(h - (canvas->PenWidth() * 9) / 2 - 1, kWhite, true);
  const Size text = canvas->TextExtent(kProductMark);
  canvas->TextOut((w - text.width + 1) / 2, (h - text.height) / 2, kProductMark);
}

void tMainForm::btnSetupClick() { view_->SetActivePage("TabSheet2"); }

void tMainForm::btnCancelClick() { view_->Close(); }

void tMainForm::btnBrowseClick() {
  const Bytes shown = view_->Text("edInstallDir");
  const Bytes chosen = Sys().BrowseForFolder(kBrowseCaption, shown);
  if (chosen != shown) view_->SetText("edInstallDir", chosen);  // the edit lower-cases it
}

void tMainForm::btnInstallClick() {
  if (!ValidateInstallFolder(view_->Text("edInstallDir"))) return;
  view_->Hide();
  const Bytes folder = view_->Text("edInstallDir");
  bool installed = false;
  try {
    installed = InstallPayload(folder);
  } catch (...) {
    // A run that ends by an exception must not leave the program alive with nothing on
    // screen: bring the window back, then let the application's handler report the error.
    view_->Show();
    throw;
  }
  if (installed) {
    view_->Close();
    return;
  }
  view_->Show();
  ShowNoteFmt("%s was not installed.", {Bytes(kProductName)});
}

}  // namespace tarnwick
