// The page control with hidden tabs: its pages are child windows of which one is shown;
// the user cannot switch pages, only the form's logic can.
#include "ui/controls_win.h"
#include "util/exceptions.h"

namespace tarnwick::ui {

PageControl::PageControl(const ControlSpec& entry, Control* parent, const FontSpec& font)
    : Control(entry, parent, font), active_(entry.Get("activepage")) {}

Rect PageControl::PageBounds() const {
  // The frame that the form library's page control keeps around a page without tabs.
  return Rect{4, 6, bounds_.width - 8, bounds_.height - 10};
}

void PageControl::Activate(const std::string& page) {
  bool found = false;
  for (Control* child : Children()) found = found || child->Name() == page;
  if (!found) throw Exception("No page " + page + " in " + Name());
  active_ = page;
  // Show the new page before hiding the old one, so that nothing shows through between.
  for (Control* child : Children())
    if (child->Name() == page) child->SetVisible(true);
  for (Control* child : Children())
    if (child->Name() != page) child->SetVisible(false);
}

void PageControl::Paint(HDC dc, const RECT& client, const RECT&) {
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  for (Control* child : Children()) {
    if (!child->Visible() || !child->Handle()) continue;
    RECT frame;
    GetWindowRect(child->Handle(), &frame);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&frame), 2);
    InflateRect(&frame, 2, 2);
    DrawEdge(dc, &frame, EDGE_RAISED, BF_RECT);
  }
}

Page::Page(const ControlSpec& entry, Control* parent, const FontSpec& font) : Control(entry, parent, font) {
  auto* pages = dynamic_cast<PageControl*>(parent);
  if (!pages) throw Exception("Layout line " + std::to_string(entry.line) + ": page " + entry.name + " outside a pagecontrol");
  if (!entry.Has("bounds")) bounds_ = pages->PageBounds();
  if (pages->ActivePage().empty()) pages->Activate(entry.name);  // the first page, unless the layout names one
  visible_ = pages->ActivePage() == entry.name;
  if (!colour_) {
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    colour_ = Colour(GetRValue(face)) << 16 | Colour(GetGValue(face)) << 8 | GetBValue(face);
  }
}

}  // namespace tarnwick::ui
