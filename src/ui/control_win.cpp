#include "ui/control_win.h"

#include "ui/application_win.h"
#include "ui/dpi_win.h"
#include "ui/fonts_win.h"
#include "ui/gdi_win.h"
#include "util/exceptions.h"
#include "util/paths.h"

namespace tarnwick::ui {

const char kNamePropertyName[] = "TarnwickName";

const char* Control::EnsureWindowClass(const char* className, HICON icon) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExA(GetModuleHandleA(nullptr), className, &wc)) return className;
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = &Control::Procedure;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = icon;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = className;
  if (!RegisterClassExA(&wc)) throw Exception(std::string("Cannot register the window class ") + className);
  return className;
}

[[noreturn]] void FailProperty(const ControlSpec& entry, const std::string& key) {
  throw Exception("Layout line " + std::to_string(entry.line) + ": bad " + key + " of " + entry.name);
}

std::vector<Colour> ColourList(const ControlSpec& entry, const std::string& key) {
  std::vector<Colour> colours;
  std::string list = entry.Get(key);
  while (!list.empty()) {
    auto colour = ParseColour(SplitFirst(list, ","));
    if (!colour) FailProperty(entry, key);
    colours.push_back(*colour);
  }
  if (colours.size() == 1) colours.push_back(colours[0]);
  if (colours.size() > 2) FailProperty(entry, key);
  return colours;
}

Control::Control(const ControlSpec& entry, Control* parent, const FontSpec& font)
    : bounds_(entry.GetBounds()),
      visible_(entry.Get("visible", "true") != "false"),
      name_(entry.name),
      kind_(entry.kind),
      align_(entry.Get("align")),
      parent_(parent),
      font_(font) {
  if (entry.Has("colour")) {
    colour_ = entry.GetColour("colour");
    if (!colour_) FailProperty(entry, "colour");
  }
  if (parent_) parent_->children_.push_back(this);
}

Control::~Control() {
  // A parent's window may have taken this one with it already (the edit is not told).
  if (window_ && IsWindow(window_)) {
    HWND window = window_;
    Forget();
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
  }
  if (nameAtom_) GlobalDeleteAtom(nameAtom_);
}

// Leaves the window: its name property goes, and its procedure no longer reaches us.
void Control::Forget() {
  if (window_ && IsWindow(window_)) RemovePropA(window_, kNamePropertyName);
  window_ = nullptr;
}

HFONT Control::FontHandle() const { return LayoutFont(font_); }

void Control::MakeWindow(const char* className, DWORD style, DWORD exStyle, HWND parentWindow, const RECT& r) {
  // Our own classes meet `this` in WM_NCCREATE; a system class (the edit) gets nothing.
  HWND window = CreateWindowExA(exStyle, className, "", style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                parentWindow, nullptr, GetModuleHandleA(nullptr), this);
  if (!window) throw Exception("Cannot create the window of " + name_);
  window_ = window;
  nameAtom_ = GlobalAddAtomA(name_.c_str());
  SetPropA(window, kNamePropertyName, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(nameAtom_)));
}

void Control::CreateWindowIn(HWND parentWindow) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (visible_ ? WS_VISIBLE : 0);
  MakeWindow(EnsureWindowClass("TarnwickControl", nullptr), style, 0, parentWindow, DeviceRect());
  SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
}

LRESULT CALLBACK Control::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* created = static_cast<Control*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    created->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* self = reinterpret_cast<Control*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self || self->window_ != window) return DefWindowProcA(window, message, wParam, lParam);
  LRESULT result = 0;
  Guarded([&] {
    if (message == WM_NCDESTROY) {
      self->Forget();
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      result = DefWindowProcA(window, message, wParam, lParam);
      return;
    }
    result = self->OnMessage(message, wParam, lParam);
  });
  return result;
}

LRESULT Control::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return TRUE;
    case WM_PAINT: {
      BufferedPaint paint(window_);
      Paint(paint.Dc(), paint.Client(), paint.Dirty());
      return 0;
    }
    case WM_PRINTCLIENT: {
      // Drawing into a DC someone else holds: PrintWindow, captures, tests.
      RECT client;
      GetClientRect(window_, &client);
      Paint(reinterpret_cast<HDC>(wParam), client, client);
      return 0;
    }
    case WM_SIZE:
      RealignChildren();
      break;
    case WM_SETCURSOR:
      // Children without a cursor of their own (labels, the image) ask their parent first
      // and so show the panel's cursor too, as the form library does.
      if (cursor_ && LOWORD(lParam) == HTCLIENT) {
        SetCursor(cursor_);
        return TRUE;
      }
      break;
    default:
      break;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

void Control::Paint(HDC dc, const RECT&, const RECT& dirty) { PaintBackground(dc, dirty); }

void Control::PaintSurface(HDC dc, const RECT& area) {
  if (colour_) {
    FillSolid(dc, area, *colour_);
  } else {
    PaintParentBackground(dc, area);
  }
}

void Control::PaintBackground(HDC dc, const RECT& area) {
  PaintSurface(dc, area);
  for (Control* child : children_) {
    if (!child->IsBackdrop() || !child->visible_ || !child->window_) continue;
    RECT r = child->DeviceRect(), part;
    if (!IntersectRect(&part, &r, &area)) continue;
    OriginShift shift(dc, r.left, r.top);
    OffsetRect(&part, -r.left, -r.top);
    child->PaintSurface(dc, part);
  }
}

void Control::PaintParentBackground(HDC dc, const RECT& area) {
  if (!parent_) {
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    return;
  }
  RECT mine = DeviceRect();
  OriginShift shift(dc, -mine.left, -mine.top);
  RECT inParent = area;
  OffsetRect(&inParent, mine.left, mine.top);
  parent_->PaintBackground(dc, inParent);
}

RECT Control::DeviceRect() const {
  // Edges are scaled, not sizes, so that neighbouring controls stay flush at any DPI.
  return RECT{Scale(bounds_.left), Scale(bounds_.top), Scale(bounds_.left + bounds_.width),
              Scale(bounds_.top + bounds_.height)};
}

void Control::Place() {
  if (!window_) return;
  RECT r = DeviceRect();
  SetWindowPos(window_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Control::SetBounds(const Rect& bounds) {
  bounds_ = bounds;
  Place();
}

void Control::SetLeft(int left) {
  bounds_.left = left;
  Place();
}

void Control::SetText(const Bytes& text) {
  if (window_) {
    SetWindowTextA(window_, text.c_str());
    InvalidateRect(window_, nullptr, FALSE);
  }
}

Bytes Control::Text() const {
  if (!window_) return {};
  int length = GetWindowTextLengthA(window_);
  Bytes text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(window_, text.data(), length + 1)));
  return text;
}

void Control::SetVisible(bool visible) {
  visible_ = visible;
  if (window_) ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
}

void Control::Click() {
  if (!onClick_) return;
  EventHandler handler = onClick_;  // the handler may replace itself
  EventArgs args{name_};
  handler(args);
}

void Control::RealignChildren() {
  if (!window_) return;
  RECT client;
  GetClientRect(window_, &client);
  Rect free{0, 0, Unscale(client.right), Unscale(client.bottom)};
  // The form library's order: top and bottom take full rows first, then left and right,
  // then the client-aligned control takes what is left.
  for (const char* edge : {"top", "bottom", "left", "right", "client"}) {
    for (Control* child : children_) {
      if (child->align_ != edge) continue;
      Rect b = child->bounds_;
      std::string e = edge;
      if (e == "top") {
        b = {free.left, free.top, free.width, b.height};
        free.top += b.height;
        free.height -= b.height;
      } else if (e == "bottom") {
        b = {free.left, free.top + free.height - b.height, free.width, b.height};
        free.height -= b.height;
      } else if (e == "left") {
        b = {free.left, free.top, b.width, free.height};
        free.left += b.width;
        free.width -= b.width;
      } else if (e == "right") {
        b = {free.left + free.width - b.width, free.top, b.width, free.height};
        free.width -= b.width;
      } else {
        b = free;
      }
      child->SetBounds(b);
    }
  }
}

}  // namespace tarnwick::ui
