#pragma once
// The kinds of control a layout can name, and the properties each one reads beyond the
// common ones (bounds=l,t,w,h or at=l,t; caption="..."; font=Face,height[,bold][,colour];
// visible=false; align=top|bottom|left|right|client; OnClick=handler):
//
//   label          auto-sized to its caption; colour=C paints a background, without it the
//                  label is transparent over its parent's background and gradients
//   toolbutton     colour=C colourto=C (top to bottom), hot=C1[,C2] under the mouse,
//                  down=C1[,C2] while pressed, rounded=true; bold caption in the font's colour;
//                  takes no focus; themed=false is accepted (it never follows the theme)
//   edit           text="..." charcase=lower; the only kind that takes keyboard focus
//   image          an empty picture; the form's logic draws on it through a canvas
//   gradientpanel  a container: colour=C colourto=C top to bottom, mirror=C [mirrorto=C]
//                  for the lower half, cursor=drag
//   gradient       a background beneath its siblings: style=pyramid|vertical|horizontal,
//                  colour=C (start, at the edges for pyramid) colourto=C (end)
//   pagecontrol    pages without tabs, activepage=Name; its children are pages
//   page           a container; without bounds it fills its page control less the frame
//   progressbar    max=N position=N border=true levels=P1,P2 level0..level3=C1,C2: the bar
//                  takes level 0's colours below P1 %, level 1's below P2 %, level 2's above
//                  (level 3 is read but unused)
#include <memory>

#include "ui/control_win.h"
#include "ui/gdi_win.h"
#include "ui/gradient_win.h"

namespace tarnwick::ui {

class Label : public Control {
 public:
  using Control::Control;
  void SetText(const Bytes& text) override;

 protected:
  void Paint(HDC dc, const RECT& client, const RECT& dirty) override;
  RECT DeviceRect() const override;

 private:
  void AutoSize();
  SIZE textSize_{0, 0};  // device pixels
};

class ToolButton : public Control {
 public:
  ToolButton(const ControlSpec& entry, Control* parent, const FontSpec& font);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc, const RECT& client, const RECT& dirty) override;

 private:
  bool AcceptsInput() const;
  std::vector<Colour> normal_, hot_, down_;
  bool rounded_;
  bool isHot_ = false, isDown_ = false;
};

class Edit : public Control {
 public:
  Edit(const ControlSpec& entry, Control* parent, const FontSpec& font);
  void CreateWindowIn(HWND parentWindow) override;
  void SetText(const Bytes& text) override;

 private:
  bool lowerCase_;
};

class Image : public Control {
 public:
  using Control::Control;
  // The canvas over the picture; the first call gives the picture a bitmap of its size.
  std::unique_ptr<Canvas> OpenCanvas();

 protected:
  void Paint(HDC dc, const RECT& client, const RECT& dirty) override;

 private:
  friend class ImageCanvas;
  GdiObject<HBITMAP> picture_;
};

class GradientPanel : public Control {
 public:
  GradientPanel(const ControlSpec& entry, Control* parent, const FontSpec& font);

 protected:
  void PaintSurface(HDC dc, const RECT& area) override;

 private:
  Gradient gradient_;
};

class GradientBackground : public Control {
 public:
  GradientBackground(const ControlSpec& entry, Control* parent, const FontSpec& font);
  bool IsBackdrop() const override { return true; }

 protected:
  void PaintSurface(HDC dc, const RECT& area) override;

 private:
  Gradient gradient_;
};

class PageControl : public Control {
 public:
  PageControl(const ControlSpec& entry, Control* parent, const FontSpec& font);
  // Shows the named page and hides the others.
  void Activate(const std::string& page);
  const std::string& ActivePage() const { return active_; }
  // Where the pages lie, in layout pixels within the page control.
  Rect PageBounds() const;

 protected:
  void Paint(HDC dc, const RECT& client, const RECT& dirty) override;

 private:
  std::string active_;
};

class Page : public Control {
 public:
  Page(const ControlSpec& entry, Control* parent, const FontSpec& font);
};

class ProgressBar : public Control {
 public:
  ProgressBar(const ControlSpec& entry, Control* parent, const FontSpec& font);
  void SetMax(int max);
  void SetPosition(int position);
  // Which colour level a position shows: 0, 1 or 2.
  int Level() const;

 protected:
  void Paint(HDC dc, const RECT& client, const RECT& dirty) override;

 private:
  int max_, position_;
  bool border_;
  int level1Percent_ = 70, level2Percent_ = 90;
  std::vector<Colour> levels_[4];
};

// Makes the control that a layout line describes; raises for an unknown kind.
std::unique_ptr<Control> MakeControl(const ControlSpec& entry, Control* parent, const FontSpec& font);

}  // namespace tarnwick::ui
