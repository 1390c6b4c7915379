// Tool buttons: painted gradients with hot and pressed colours, clicked with the mouse only.
// A click is a button-down then a button-up inside the button, however they arrive (also
// posted by another process, as automation does); BM_CLICK clicks it too.
#include <windowsx.h>

#include "ui/controls_win.h"
#include "ui/dpi_win.h"

namespace tarnwick::ui {

ToolButton::ToolButton(const ControlSpec& entry, Control* parent, const FontSpec& font)
    : Control(entry, parent, font), rounded_(entry.Get("rounded") == "true") {
  Colour from = colour_.value_or(0xC0C0C0);
  normal_ = {from, from};
  if (entry.Has("colourto")) normal_[1] = ColourList(entry, "colourto")[0];
  hot_ = entry.Has("hot") ? ColourList(entry, "hot") : normal_;
  down_ = entry.Has("down") ? ColourList(entry, "down") : hot_;
}

// A window that is disabled (a modal box or the folder browser is open over the form)
// takes no clicks, even posted ones.
bool ToolButton::AcceptsInput() const {
  HWND root = GetAncestor(window_, GA_ROOT);
  return IsWindowEnabled(window_) && (!root || IsWindowEnabled(root));
}

LRESULT ToolButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
      if (!isHot_) {
        isHot_ = true;
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_, 0};
        TrackMouseEvent(&track);
        InvalidateRect(window_, nullptr, FALSE);
      }
      return 0;
    case WM_MOUSELEAVE:
      isHot_ = false;
      InvalidateRect(window_, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!AcceptsInput()) return 0;
      isDown_ = true;
      SetCapture(window_);
      InvalidateRect(window_, nullptr, FALSE);
      return 0;
    case WM_LBUTTONUP: {
      bool wasDown = isDown_;
      isDown_ = false;
      if (GetCapture() == window_) ReleaseCapture();
      InvalidateRect(window_, nullptr, FALSE);
      RECT client;
      GetClientRect(window_, &client);
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (wasDown && PtInRect(&client, at) && AcceptsInput()) {
        UpdateWindow(window_);
        Click();
      }
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (isDown_) {
        isDown_ = false;
        InvalidateRect(window_, nullptr, FALSE);
      }
      return 0;
    case BM_CLICK:
      if (AcceptsInput()) Click();
      return 0;
    default:
      return Control::OnMessage(message, wParam, lParam);
  }
}

void ToolButton::Paint(HDC dc, const RECT& client, const RECT& dirty) {
  const std::vector<Colour>& colours = isDown_ ? down_ : isHot_ ? hot_ : normal_;
  Gradient face = VerticalGradient(colours[0], colours[1]);
  if (rounded_) {
    // The corners outside the rounded face show what lies beneath the button.
    PaintParentBackground(dc, dirty);
    int radius = Scale(8);
    GdiObject<HRGN> shape(CreateRoundRectRgn(0, 0, client.right + 1, client.bottom + 1, radius, radius));
    SelectClipRgn(dc, shape.Get());
    PaintGradient(dc, client, dirty, face);
    SelectClipRgn(dc, nullptr);
  } else {
    PaintGradient(dc, client, dirty, face);
  }
  Bytes caption = Text();
  Selection font(dc, FontHandle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ToColorRef(Font().colour));
  RECT r = client;
  if (isDown_) OffsetRect(&r, 1, 1);
  DrawTextA(dc, caption.data(), static_cast<int>(caption.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace tarnwick::ui
