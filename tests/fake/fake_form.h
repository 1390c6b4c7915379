#pragma once
// A window built from a real layout, held in memory: captions, positions, visibility and
// click handlers per control, so that form logic can be driven and inspected by name.
// Text widths follow a simple model (half the font height a byte) that tests can rely on.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/form_view.h"
#include "ui/layout.h"

namespace tarnwick::test {

struct FakeControl {
  std::string name;
  std::string kind;
  std::string parent;       // empty for the window itself
  Rect bounds;
  Bytes text;
  bool visible = true;
  bool autoSize = false;    // labels
  bool lowerCase = false;   // edits with charcase=lower hold their text in lower case
  FontSpec font;
  EventHandler onClick;
  int barMax = 100, barPosition = 0, repaints = 0;
  std::string activePage;   // page controls
};

// Canvas that records its drawing calls as text lines ("FillRect #FF0000 0,0,105,105").
class FakeCanvas : public Canvas {
 public:
  FakeCanvas(std::vector<std::string>& log, Size size, Size textExtent)
      : log_(log), size_(size), textExtent_(textExtent) {}
  Size ClientSize() override { return size_; }
  void FillRect(Colour brush, const Rect& r) override;
  void SetPen(Colour colour, int width) override;
  int PenWidth() override { return penWidth_; }
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void SetFont(int height, Colour colour, bool bold) override;
  Size TextExtent(const Bytes& text) override;
  void TextOut(int x, int y, const Bytes& text) override;

 private:
  std::vector<std::string>& log_;
  Size size_;
  Size textExtent_;
  int penWidth_ = 1;
};

class FakeForm : public FormView {
 public:
  FakeForm(const ControlSpec& layout, FormEvents& events);
  ~FakeForm() override {
    if (onDestroy) onDestroy();
  }
  std::function<void()> onDestroy;
  // Runs OnCreate, as the real layer does once the form class holds its view.
  void RunCreate();

  // Test side.
  FakeControl& Control(const std::string& name);
  bool Has(const std::string& name) const { return controls_.count(name) != 0; }
  // Raises the control's current OnClick, as a mouse click would.
  void Click(const std::string& name);
  // A close request from the title bar (Alt+F4): OnCloseQuery decides, a grant hides.
  void RequestClose();
  bool shown = false;          // Show() was called and not undone by Hide/close
  int showCount = 0, hideCount = 0;
  bool closed = false;         // a close was granted
  std::vector<std::string> canvasLog;
  Size logoTextExtent{50, 59};  // what "X9" measures on the fake canvas

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

  std::string formName;

 private:
  void Add(const ControlSpec& entry, const std::string& parent, const FontSpec& inherited, FormEvents& events);
  EventHandler Event(const std::string& key);
  std::map<std::string, FakeControl> controls_;
  std::map<std::string, EventHandler> formEvents_;
};

}  // namespace tarnwick::test
