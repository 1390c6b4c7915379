#pragma once
// The progress window of the installation run. It holds no installation logic: the run
// drives it through the Set... operations and reads Cancelled after every file. It stays
// responsive only where it pumps messages: SetPosition once per change, and the two
// waiting loops (a pause, the finished state). A pause is a click handler that does not
// return, entered from the message pass inside the run's own SetPosition call, so the run
// stands still until Resume, Cancel or a close request. No threads, no timers.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/form_view.h"
#include "util/bytes.h"

namespace tarnwick {

class TInstProgressForm : public FormEvents {
 public:
  // Builds the window from its layout, hidden, with no owner; runs FormCreate.
  TInstProgressForm();
  // Destroys the window.
  ~TInstProgressForm() override;
  TInstProgressForm(const TInstProgressForm&) = delete;
  TInstProgressForm& operator=(const TInstProgressForm&) = delete;

  // A pause is in force.
  bool Paused() const { return paused_; }
  // A cancel was requested (Cancel, OK, or a close request); the run polls it after each file.
  bool Cancelled() const { return cancelled_; }
  // The byte total: the bar's maximum and the second number of the bytes line.
  int32_t TotalBytes() const { return totalBytes_; }
  // The position the bytes line was last produced for; -1 until the first SetPosition.
  int32_t LastPosition() const { return lastPosition_; }
  // Files named through SetCurrentFile since SetTotalBytes.
  int32_t FileCount() const { return fileCount_; }

  void SetPaused(bool paused);
  // Also ends a pause, whatever the flag.
  void SetCancelled(bool cancelled);
  void SetProgramName(const Bytes& text);
  void SetStage(const Bytes& text);
  void SetCurrentFile(const Bytes& path);
  void SetTotalBytes(int32_t total);
  // Moves the bar; when the value changed, rewrites the bytes line and pumps messages once.
  void SetPosition(int32_t position);
  // Shows the window modelessly (runs FormShow).
  void Show();
  // Turns the window into its finished notice and waits for OK or a close request. Returns
  // at once when a cancel is pending; the acknowledgement itself does not count as a cancel.
  void ShowFinished();

  // Handlers the layout binds (AltPauseClick is installed by btnPauseClick at run time).
  void FormCreate();
  void FormShow();
  void FormCloseQuery(bool& canClose);
  void btnCancelClick();
  void btnPauseClick(const std::string& sender);
  void AltPauseClick(const std::string& sender);

  // FormEvents.
  EventHandler Bind(const std::string& handlerName) override;
  void Attach(FormView& view) override;

 private:
  FormView* view_ = nullptr;           // set by Attach while the window is being built
  std::unique_ptr<FormView> window_;   // owns what view_ points at
  bool paused_ = false;
  bool cancelled_ = false;
  int32_t totalBytes_ = 0;
  int32_t lastPosition_ = -1;
  int32_t fileCount_ = 0;
};

}  // namespace tarnwick
