#pragma once
// What the two windows' logic needs from a window built from a layout resource. Controls
// are addressed by their layout names; the window itself by its own layout name (or "").
// Every position and size here is in layout pixels (96 DPI): the Win32 layer scales.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "util/bytes.h"

namespace tarnwick {

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
};

struct Size {
  int width = 0, height = 0;
};

// Colours as 0xRRGGBB.
using Colour = uint32_t;

// Arguments of one event. `sender` is the layout name of the control that raised it;
// a close query answers through `canClose`.
struct EventArgs {
  std::string sender;
  bool canClose = true;
};

using EventHandler = std::function<void(EventArgs&)>;

class FormView;

// The form class behind a layout: binds the layout's event names (OnCreate=FormCreate ...)
// to its handlers. An unknown name raises when the form is built.
class FormEvents {
 public:
  virtual ~FormEvents() = default;
  virtual EventHandler Bind(const std::string& handlerName) = 0;
  // Hands the form class its window once every control exists, just before OnCreate runs.
  virtual void Attach(FormView& view) = 0;
};

// Drawing on an image control's bitmap (the logo).
class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual Size ClientSize() = 0;
  virtual void FillRect(Colour brush, const Rect& r) = 0;
  virtual void SetPen(Colour colour, int width) = 0;
  virtual int PenWidth() = 0;
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
  // Cell height in pixels (internal leading included); the face stays the canvas default.
  virtual void SetFont(int height, Colour colour, bool bold) = 0;
  virtual Size TextExtent(const Bytes& text) = 0;
  virtual void TextOut(int x, int y, const Bytes& text) = 0;
};

class FormView {
 public:
  virtual ~FormView() = default;

  // Captions and texts. Labels size themselves to their text.
  virtual void SetText(const std::string& control, const Bytes& text) = 0;
  virtual Bytes Text(const std::string& control) = 0;
  virtual void SetVisible(const std::string& control, bool visible) = 0;
  virtual bool IsVisible(const std::string& control) = 0;
  virtual Rect Bounds(const std::string& control) = 0;
  virtual void SetLeft(const std::string& control, int left) = 0;
  // The parent's outer width, and its client width.
  virtual int ParentWidth(const std::string& control) = 0;
  virtual int ParentClientWidth(const std::string& control) = 0;
  // Width of `text` in the control's font.
  virtual int TextWidth(const std::string& control, const Bytes& text) = 0;
  // Replaces the control's OnClick handler.
  virtual void SetOnClick(const std::string& control, EventHandler handler) = 0;

  // Progress bars.
  virtual void SetBarMax(const std::string& bar, int max) = 0;
  virtual void SetBarPosition(const std::string& bar, int position) = 0;
  virtual void Repaint(const std::string& control) = 0;

  // Hidden-tab page controls: make the named page the active one.
  virtual void SetActivePage(const std::string& page) = 0;
  virtual std::string ActivePage(const std::string& pageControl) = 0;

  // Image controls: a canvas over the image's bitmap.
  virtual std::unique_ptr<Canvas> ImageCanvas(const std::string& image) = 0;

  // The window itself. Close asks OnCloseQuery first and hides the window when granted;
  // closing the application's main window ends the message loop.
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual void Close() = 0;
};

// Moves a control so that it is centred horizontally on its parent's outer width.
void CenterInParent(FormView& view, const std::string& control);

}  // namespace tarnwick
