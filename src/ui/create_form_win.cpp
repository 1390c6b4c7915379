// Forms from the layout resources embedded in the program (RCDATA named after the form).
#include "ui/create_form_win.h"

#include "ui/form_win.h"
#include "util/exceptions.h"
#include "util/paths.h"

namespace tarnwick::ui {
namespace {

Bytes LayoutResource(const Bytes& name) {
  HMODULE self = GetModuleHandleA(nullptr);
  // Resource names are stored in upper case; asking with the upper-case form finds any case.
  HRSRC found = FindResourceA(self, UpperCase(name).c_str(), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  HGLOBAL loaded = found ? LoadResource(self, found) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) throw Exception("No layout resource " + name);
  return Bytes(static_cast<const char*>(data), SizeofResource(self, found));
}

}  // namespace

std::unique_ptr<FormView> CreateFormFromText(const Bytes& layoutText, FormEvents& events) {
  auto form = std::make_unique<Form>(ParseLayout(layoutText), events);
  events.Attach(*form);
  form->RunCreate();
  return form;
}

std::unique_ptr<FormView> CreateForm(const Bytes& layout, FormEvents& events) {
  return CreateFormFromText(LayoutResource(layout), events);
}

}  // namespace tarnwick::ui
