#include "ui/form_win.h"

#include "ui/application_win.h"
#include "ui/dpi_win.h"
#include "ui/fonts_win.h"
#include "util/exceptions.h"
#include "util/paths.h"

namespace tarnwick::ui {
namespace {

// frame=single|sizeable, icons=system,minimise,maximise (the sizeable frame's default).
DWORD FrameStyle(const ControlSpec& layout) {
  std::string frame = layout.Get("frame", "sizeable");
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
  if (frame == "sizeable") {
    style |= WS_THICKFRAME;
  } else if (frame != "single") {
    FailProperty(layout, "frame");
  }
  std::string icons = layout.Get("icons", "system,minimise,maximise");
  while (!icons.empty()) {
    std::string icon = SplitFirst(icons, ",");
    if (icon == "system") {
      style |= WS_SYSMENU;
    } else if (icon == "minimise") {
      style |= WS_MINIMIZEBOX;
    } else if (icon == "maximise") {
      style |= WS_MAXIMIZEBOX;
    } else {
      FailProperty(layout, "icons");
    }
  }
  return style;
}

}  // namespace

Form::Form(const ControlSpec& layout, FormEvents& events) : Control(layout, nullptr, layout.GetFont(FontSpec{})) {
  for (const char* key : {"OnCreate", "OnShow", "OnCloseQuery"})
    if (layout.Has(key)) formEvents_[key] = events.Bind(layout.Get(key));
  visible_ = false;  // forms are made hidden
  byName_[layout.name] = this;
  CreateTopLevelWindow(layout);
  for (const ControlSpec& child : layout.children) Build(child, *this, events);
  SinkBackdrops(*this);
  RealignChildren();
  RegisterForm(*this);
}

Form::~Form() {
  UnregisterForm(*this);
  // Children before their parents: a parent's window takes its children's with it.
  while (!controls_.empty()) controls_.pop_back();
}

void Form::CreateTopLevelWindow(const ControlSpec& layout) {
  DWORD style = FrameStyle(layout);
  RECT outer{0, 0, Scale(bounds_.width), Scale(bounds_.height)};
  AdjustWindowRectEx(&outer, style, FALSE, 0);
  int width = outer.right - outer.left, height = outer.bottom - outer.top;
  int left = CW_USEDEFAULT, top = CW_USEDEFAULT;
  if (layout.Get("place") == "centre") {
    left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  }
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
  MakeWindow(EnsureWindowClass("TarnwickForm", icon), style, 0, nullptr, RECT{left, top, left + width, top + height});
  Control::SetText(layout.Get("caption"));
}

void Form::Build(const ControlSpec& entry, Control& parent, FormEvents& events) {
  if (byName_.count(entry.name)) throw Exception("Layout line " + std::to_string(entry.line) + ": " + entry.name + " twice");
  std::unique_ptr<Control> control = MakeControl(entry, &parent, entry.GetFont(parent.Font()));
  Control& made = *control;
  controls_.push_back(std::move(control));
  byName_[entry.name] = &made;
  if (entry.Has("OnClick")) made.SetOnClick(events.Bind(entry.Get("OnClick")));
  made.CreateWindowIn(parent.Handle());
  made.SetText(entry.Get("caption", entry.Get("text")));
  for (const ControlSpec& child : entry.children) Build(child, made, events);
  SinkBackdrops(made);
}

// Gradient backgrounds go beneath every sibling, whatever the layout's order; siblings made
// later would otherwise be placed under them.
void Form::SinkBackdrops(Control& parent) {
  for (Control* child : parent.Children())
    if (child->IsBackdrop())
      SetWindowPos(child->Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Form::RunCreate() {
  Guarded([&] { Raise("OnCreate"); });
}

void Form::Raise(const char* event) {
  auto it = formEvents_.find(event);
  if (it == formEvents_.end() || !it->second) return;
  EventArgs args{Name()};
  it->second(args);
}

Control& Form::Find(const std::string& name) {
  if (name.empty()) return *this;
  auto it = byName_.find(name);
  if (it == byName_.end()) throw Exception("No control " + name + " in " + Name());
  return *it->second;
}

template <typename Kind>
Kind& Form::FindKind(const std::string& name) {
  auto* found = dynamic_cast<Kind*>(&Find(name));
  if (!found) throw Exception(name + " is not a control of that kind");
  return *found;
}

void Form::SetText(const std::string& control, const Bytes& text) { Find(control).SetText(text); }
Bytes Form::Text(const std::string& control) { return Find(control).Text(); }

void Form::SetVisible(const std::string& control, bool visible) {
  Control& c = Find(control);
  if (&c != this) return c.SetVisible(visible);
  visible ? Show() : Hide();
}

bool Form::IsVisible(const std::string& control) { return Find(control).Visible(); }

Rect Form::Bounds(const std::string& control) { return Find(control).Bounds(); }

Rect Form::Bounds() const {
  RECT r{};
  GetWindowRect(window_, &r);
  return Rect{Unscale(r.left), Unscale(r.top), Unscale(r.right - r.left), Unscale(r.bottom - r.top)};
}

void Form::SetLeft(const std::string& control, int left) {
  Control& c = Find(control);
  if (&c != this) return c.SetLeft(left);
  Rect b = Bounds();
  SetWindowPos(window_, nullptr, Scale(left), Scale(b.top), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Form::ParentWidth(const std::string& control) {
  Control* parent = Find(control).Parent();
  return parent ? parent->Bounds().width : Unscale(GetSystemMetrics(SM_CXSCREEN));
}

int Form::ParentClientWidth(const std::string& control) {
  Control* parent = Find(control).Parent();
  if (!parent) return Unscale(GetSystemMetrics(SM_CXSCREEN));
  RECT client{};
  GetClientRect(parent->Handle(), &client);
  return Unscale(client.right);
}

int Form::TextWidth(const std::string& control, const Bytes& text) {
  return Unscale(MeasureText(Find(control).FontHandle(), text).cx);
}

void Form::SetOnClick(const std::string& control, EventHandler handler) {
  Find(control).SetOnClick(std::move(handler));
}

void Form::SetBarMax(const std::string& bar, int max) { FindKind<ProgressBar>(bar).SetMax(max); }
void Form::SetBarPosition(const std::string& bar, int position) { FindKind<ProgressBar>(bar).SetPosition(position); }

void Form::Repaint(const std::string& control) {
  RedrawWindow(Find(control).Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Form::SetActivePage(const std::string& page) {
  Control& found = Find(page);
  auto* pages = dynamic_cast<PageControl*>(found.Parent());
  if (!pages) throw Exception(page + " is not a page");
  pages->Activate(page);
}

std::string Form::ActivePage(const std::string& pageControl) { return FindKind<PageControl>(pageControl).ActivePage(); }

std::unique_ptr<Canvas> Form::ImageCanvas(const std::string& image) { return FindKind<Image>(image).OpenCanvas(); }

void Form::Show() {
  visible_ = true;
  // The form library raises OnShow while the window is about to appear, then shows it.
  Raise("OnShow");
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
}

void Form::Hide() {
  visible_ = false;
  ShowWindow(window_, SW_HIDE);
}

void Form::Close() {
  EventArgs args{Name()};
  auto query = formEvents_.find("OnCloseQuery");
  if (query != formEvents_.end() && query->second) query->second(args);
  if (!args.canClose) return;
  Hide();
  if (MainWindow() == window_) Terminate();
}

LRESULT Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    // The title bar's close button and Alt+F4 ask like Close() does; the window stays.
    Close();
    return 0;
  }
  return Control::OnMessage(message, wParam, lParam);
}

}  // namespace tarnwick::ui
