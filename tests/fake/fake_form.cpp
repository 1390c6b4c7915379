#include "fake/fake_form.h"

#include <cstdio>

#include "util/exceptions.h"
#include "util/paths.h"

namespace tarnwick::test {
namespace {
std::string Hex(Colour c) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "#%06X", static_cast<unsigned>(c));
  return buffer;
}
}  // namespace

void FakeCanvas::FillRect(Colour brush, const Rect& r) {
  log_.push_back("FillRect " + Hex(brush) + " " + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                 std::to_string(r.width) + "," + std::to_string(r.height));
}
void FakeCanvas::SetPen(Colour colour, int width) {
  penWidth_ = width;
  log_.push_back("Pen " + Hex(colour) + " " + std::to_string(width));
}
void FakeCanvas::MoveTo(int x, int y) { log_.push_back("MoveTo " + std::to_string(x) + "," + std::to_string(y)); }
void FakeCanvas::LineTo(int x, int y) { log_.push_back("LineTo " + std::to_string(x) + "," + std::to_string(y)); }
void FakeCanvas::SetFont(int height, Colour colour, bool bold) {
  log_.push_back("Font " + std::to_string(height) + " " + Hex(colour) + (bold ? " bold" : ""));
}
Size FakeCanvas::TextExtent(const Bytes&) { return textExtent_; }
void FakeCanvas::TextOut(int x, int y, const Bytes& text) {
  log_.push_back("TextOut " + std::to_string(x) + "," + std::to_string(y) + " " + text);
}

FakeForm::FakeForm(const ControlSpec& layout, FormEvents& events) : formName(layout.name) {
  for (const char* key : {"OnCreate", "OnShow", "OnCloseQuery"}) {
    if (layout.Has(key)) formEvents_[key] = events.Bind(layout.Get(key));
  }
  Add(layout, "", FontSpec{}, events);
}

void FakeForm::Add(const ControlSpec& entry, const std::string& parent, const FontSpec& inherited,
                   FormEvents& events) {
  FakeControl control;
  control.name = entry.name;
  control.kind = entry.kind;
  control.parent = parent;
  control.bounds = entry.GetBounds();
  control.font = entry.GetFont(inherited);
  control.autoSize = entry.kind == "label";
  control.lowerCase = entry.Get("charcase") == "lower";
  control.visible = entry.Get("visible", "true") != "false";
  if (entry.Has("OnClick")) control.onClick = events.Bind(entry.Get("OnClick"));
  if (entry.Has("max")) control.barMax = entry.GetInt("max", 100);
  if (entry.Has("position")) control.barPosition = entry.GetInt("position", 0);
  if (entry.Has("activepage")) control.activePage = entry.Get("activepage");
  controls_[entry.name] = control;
  SetText(entry.name, entry.Get("caption", entry.Get("text")));
  for (const ControlSpec& child : entry.children) Add(child, entry.name, controls_[entry.name].font, events);
}

FakeControl& FakeForm::Control(const std::string& name) {
  auto it = controls_.find(name.empty() ? formName : name);
  if (it == controls_.end()) throw Exception("No control " + name + " in " + formName);
  return it->second;
}

EventHandler FakeForm::Event(const std::string& key) {
  auto it = formEvents_.find(key);
  return it == formEvents_.end() ? EventHandler() : it->second;
}

void FakeForm::Click(const std::string& name) {
  FakeControl& control = Control(name);
  if (!control.onClick) return;
  EventHandler handler = control.onClick;  // the handler may replace itself
  EventArgs args{name};
  handler(args);
}

void FakeForm::RequestClose() { Close(); }

void FakeForm::SetText(const std::string& control, const Bytes& text) {
  FakeControl& c = Control(control);
  c.text = c.lowerCase ? LowerCase(text) : text;
  if (c.autoSize) {
    c.bounds.width = TextWidth(control, text);
    c.bounds.height = c.font.height;
  }
}

Bytes FakeForm::Text(const std::string& control) { return Control(control).text; }
void FakeForm::SetVisible(const std::string& control, bool visible) { Control(control).visible = visible; }
bool FakeForm::IsVisible(const std::string& control) { return Control(control).visible; }
Rect FakeForm::Bounds(const std::string& control) { return Control(control).bounds; }
void FakeForm::SetLeft(const std::string& control, int left) { Control(control).bounds.left = left; }
int FakeForm::ParentWidth(const std::string& control) { return Control(Control(control).parent).bounds.width; }
int FakeForm::ParentClientWidth(const std::string& control) { return ParentWidth(control); }
int FakeForm::TextWidth(const std::string& control, const Bytes& text) {
  return static_cast<int>(text.size()) * (Control(control).font.height / 2);
}
void FakeForm::SetOnClick(const std::string& control, EventHandler handler) {
  Control(control).onClick = std::move(handler);
}
void FakeForm::SetBarMax(const std::string& bar, int max) { Control(bar).barMax = max; }
void FakeForm::SetBarPosition(const std::string& bar, int position) { Control(bar).barPosition = position; }
void FakeForm::Repaint(const std::string& control) { ++Control(control).repaints; }

void FakeForm::SetActivePage(const std::string& page) {
  FakeControl& p = Control(page);
  Control(p.parent).activePage = page;
}
std::string FakeForm::ActivePage(const std::string& pageControl) { return Control(pageControl).activePage; }

std::unique_ptr<Canvas> FakeForm::ImageCanvas(const std::string& image) {
  const Rect& b = Control(image).bounds;
  return std::make_unique<FakeCanvas>(canvasLog, Size{b.width, b.height}, logoTextExtent);
}

void FakeForm::Show() {
  shown = true;
  ++showCount;
  Control(formName).visible = true;
  if (auto onShow = Event("OnShow")) {
    EventArgs args{formName};
    onShow(args);
  }
}

void FakeForm::Hide() {
  shown = false;
  ++hideCount;
  Control(formName).visible = false;
}

void FakeForm::Close() {
  EventArgs args{formName};
  if (auto query = Event("OnCloseQuery")) query(args);
  if (!args.canClose) return;
  closed = true;
  Hide();
}

}  // namespace tarnwick::test

namespace tarnwick::test {
void FakeForm::RunCreate() {
  if (auto onCreate = Event("OnCreate")) {
    EventArgs args{formName};
    onCreate(args);
  }
}
}  // namespace tarnwick::test
