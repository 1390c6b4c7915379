#pragma once
// The installer's main window: an introduction page, then the install page with the
// install folder, Browse, Install and Cancel, beside a left panel with the product mark.
#include <memory>

#include "platform/form_view.h"

namespace tarnwick {

class tMainForm : public FormEvents {
 public:
  tMainForm();  // builds the window from its layout (hidden) and runs FormCreate
  ~tMainForm() override;
  tMainForm(const tMainForm&) = delete;
  tMainForm& operator=(const tMainForm&) = delete;

  FormView& View() { return *view_; }

  void FormCreate();
  void DrawLogo();
  void btnSetupClick();
  void btnCancelClick();
  void btnBrowseClick();
  void btnInstallClick();

  EventHandler Bind(const std::string& handlerName) override;
  void Attach(FormView& view) override { view_ = &view; }

 private:
  FormView* view_ = nullptr;
  std::unique_ptr<FormView> window_;
};

// The proposed install folder: the Windows folder's drive root plus "corvana\qv" where that
// folder exists, else plus "qv".
Bytes DefaultInstallFolder();

}  // namespace tarnwick
