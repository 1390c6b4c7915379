#pragma once
// A top-level window built from a layout: the FormView that form logic talks to. It owns
// every control of the layout; closing it hides it (and ends the message loop when it is
// the main window); destroying the object destroys the window.
#include <map>
#include <memory>
#include <vector>

#include "ui/controls_win.h"

namespace tarnwick::ui {

class Form : public Control, public FormView {
 public:
  Form(const ControlSpec& layout, FormEvents& events);
  ~Form() override;

  // Runs the layout's OnCreate; exceptions go to the application's handler, as they do
  // for a form created by the form library.
  void RunCreate();

  // The control of that name; "" or the form's own name is the form.
  Control& Find(const std::string& name);

  // FormView.
  void SetText(const std::string& control, const Bytes& text) override;
  Bytes Text(const std::string& control) override;
  void SetVisible(const std::string& control, bool visible) override;
  bool IsVisible(const std::string& control) override;
  Rect Bounds(const std::string& control) override;
  void SetLeft(const std::string& control, int left) override;
  int ParentWidth(const std::string& control) override;
  int ParentClientWidth(const std::string& control) override;
  int TextWidth(const std::string& control, const Bytes& text) override;
  void SetOnClick(const std::string& control, EventHandler handler) override;
  void SetBarMax(const std::string& bar, int max) override;
  void SetBarPosition(const std::string& bar, int position) override;
  void Repaint(const std::string& control) override;
  void SetActivePage(const std::string& page) override;
  std::string ActivePage(const std::string& pageControl) override;
  std::unique_ptr<Canvas> ImageCanvas(const std::string& image) override;
  void Show() override;
  void Hide() override;
  void Close() override;

  // The form's outer rectangle in layout pixels.
  Rect Bounds() const override;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateTopLevelWindow(const ControlSpec& layout);
  void Build(const ControlSpec& entry, Control& parent, FormEvents& events);
  static void SinkBackdrops(Control& parent);
  template <typename Kind>
  Kind& FindKind(const std::string& name);
  void Raise(const char* event);

  std::vector<std::unique_ptr<Control>> controls_;  // in creation order, parents first
  std::map<std::string, Control*> byName_;
  std::map<std::string, EventHandler> formEvents_;
};

}  // namespace tarnwick::ui
