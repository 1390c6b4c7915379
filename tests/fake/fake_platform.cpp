#include "fake/fake_platform.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "util/paths.h"

namespace tarnwick::test {
namespace {

Bytes Key(const Bytes& path) { return LowerCase(StripTrailingBackslashes(path)); }

// Does a file name match a mask with * and ? (case-insensitive)?
bool Matches(const Bytes& mask, const Bytes& name) {
  if (mask.empty()) return name.empty();
  if (mask[0] == '*') {
    for (size_t skip = 0; skip <= name.size(); ++skip)
      if (Matches(mask.substr(1), name.substr(skip))) return true;
    return false;
  }
  if (name.empty()) return false;
  if (mask[0] != '?' && LowerCase(mask.substr(0, 1)) != LowerCase(name.substr(0, 1))) return false;
  return Matches(mask.substr(1), name.substr(1));
}

Bytes ReadLayoutFile(const Bytes& name) {
  std::ifstream in(std::string(TARNWICK_SOURCE_DIR) + "/resources/layouts/" + name + ".layout",
                   std::ios::binary);
  if (!in) throw Exception("Resource " + name + " not found");
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

Bytes FakeParentOf(const Bytes& path) {
  Bytes key = Key(path);
  size_t cut = key.rfind('\\');
  return cut == Bytes::npos ? Bytes() : key.substr(0, cut);
}

FakePlatform::FakePlatform() {
  specialFolders[kCsidlWindows] = "C:\\WINDOWS";
  specialFolders[kCsidlDesktop] = "C:\\Users\\me\\Desktop";
  specialFolders[kCsidlProgramFiles] = "C:\\Program Files (x86)";
  specialFolders[kCsidlProgramFilesX86] = "C:\\Program Files (x86)";
  driveTypes["c:\\"] = kDriveFixed;
  for (const char* folder : {"C:\\WINDOWS", "C:\\Users\\me\\Desktop", "C:\\Program Files (x86)", "C:\\Work"})
    AddFolder(folder);
}

void FakePlatform::AddFolder(const Bytes& path) {
  Bytes key = Key(path);
  while (key.size() > 2) {  // every level down to the drive
    folders.insert(key);
    size_t cut = key.rfind('\\');
    if (cut == Bytes::npos) break;
    key = key.substr(0, cut);
  }
}

void FakePlatform::AddFile(const Bytes& path, const Bytes& content) {
  AddFolder(FakeParentOf(path));
  files[Key(path)] = File{path, content, 0, false};
}

const FakePlatform::File* FakePlatform::FindFile(const Bytes& path) const {
  auto it = files.find(Key(path));
  return it == files.end() ? nullptr : &it->second;
}

FakeForm* FakePlatform::Form(const std::string& name) {
  for (FakeForm* form : forms)
    if (form->formName == name) return form;
  return nullptr;
}

bool FakePlatform::InReadOnlyFolder(const Bytes& lowerPath) const {
  for (const Bytes& folder : readOnlyFolders)
    if (lowerPath.compare(0, folder.size(), folder) == 0) return true;
  return false;
}

bool FakePlatform::IsWindows64() {
  calls.push_back("IsWindows64");
  if (wow64QueryFails) throw Exception("Bad process handle");
  return windows64;
}

Bytes FakePlatform::GetSpecialFolder(int csidl) {
  calls.push_back("GetSpecialFolder " + std::to_string(csidl));
  auto it = specialFolders.find(csidl);
  return it == specialFolders.end() ? Bytes() : it->second;
}

unsigned FakePlatform::DriveType(const Bytes& root) {
  calls.push_back("DriveType " + root);
  auto it = driveTypes.find(LowerCase(root));
  return it == driveTypes.end() ? kDriveNoRootDir : it->second;
}

bool FakePlatform::FileExists(const Bytes& path) { return files.count(Key(path)) != 0; }
bool FakePlatform::FolderExists(const Bytes& path) {
  Bytes key = Key(path);
  if (key.size() == 2 && key[1] == ':') return driveTypes.count(key + "\\") != 0;  // a drive root
  return folders.count(key) != 0;
}

bool FakePlatform::CreateFolder(const Bytes& path) {
  calls.push_back("CreateFolder " + path);
  Bytes key = Key(path);
  if (InReadOnlyFolder(key) || !FolderExists(FakeParentOf(key)) || files.count(key)) return false;
  folders.insert(key);
  return true;
}

std::vector<FolderEntry> FakePlatform::ListFolder(const Bytes& pattern) {
  calls.push_back("ListFolder " + pattern);
  auto it = listings.find(LowerCase(pattern));
  return it == listings.end() ? std::vector<FolderEntry>() : it->second;
}

bool FakePlatform::WriteFileBytes(const Bytes& path, const Bytes& bytes) {
  calls.push_back("WriteFileBytes " + path);
  Bytes key = Key(path);
  if (bytes.empty()) {
    files.erase(key);
    return true;
  }
  if (InReadOnlyFolder(key) || !FolderExists(FakeParentOf(key))) return false;
  File file{path, bytes, 0, false};
  auto shortWrite = shortWrites.find(key);
  if (shortWrite != shortWrites.end()) file.content.resize(std::min(shortWrite->second, bytes.size()));
  files[key] = file;
  return file.content.size() == bytes.size();
}

bool FakePlatform::SetFileDosDate(const Bytes& path, int32_t dosDateTime) {
  calls.push_back("SetFileDosDate " + path);
  auto it = files.find(Key(path));
  if (it == files.end()) return false;
  it->second.dosDate = dosDateTime;
  it->second.dateSet = true;
  return true;
}

bool FakePlatform::RemoveFile(const Bytes& path) {
  calls.push_back("DeleteFile " + path);
  return files.erase(Key(path)) != 0;
}

bool FakePlatform::RecycleFiles(const Bytes& mask) {
  calls.push_back("RecycleFiles " + mask);
  recycledMasks.push_back(mask);
  Bytes folder = FakeParentOf(mask);
  size_t cut = mask.rfind('\\');
  Bytes nameMask = cut == Bytes::npos ? mask : mask.substr(cut + 1);
  bool any = false;
  for (auto it = files.begin(); it != files.end();) {
    size_t slash = it->first.rfind('\\');
    Bytes name = slash == Bytes::npos ? it->first : it->first.substr(slash + 1);
    if (FakeParentOf(it->first) == folder && Matches(nameMask, name)) {
      it = files.erase(it);
      any = true;
    } else {
      ++it;
    }
  }
  return any;
}

std::optional<std::string_view> FakePlatform::FindProgramResource(const Bytes& name) {
  calls.push_back("FindResource " + name);
  auto it = resources.find(UpperCase(name));
  if (it == resources.end()) return std::nullopt;
  return std::string_view(it->second);
}

void FakePlatform::OpenWebPage(const Bytes& address) {
  calls.push_back("OpenWebPage " + address);
  openedPages.push_back(address);
}

void FakePlatform::ComInitialize() { calls.push_back("ComInitialize"); }
void FakePlatform::ComUninitialize() { calls.push_back("ComUninitialize"); }

void FakePlatform::WriteShellLink(const ShellLinkFields& fields) {
  calls.push_back("WriteShellLink " + fields.linkFile);
  if (shellLinkFails) {
    throw EOSError("CoInitialize has not been called, ClassID: {00021401-0000-0000-C000-000000000046}");
  }
  links.push_back(fields);
  AddFile(fields.linkFile, "L");
}

Bytes FakePlatform::BrowseForFolder(const Bytes& caption, const Bytes& initialFolder) {
  calls.push_back("BrowseForFolder");
  browseCaptions.push_back(caption);
  browseInitialFolders.push_back(initialFolder);
  return browseAnswer.empty() ? initialFolder : browseAnswer;
}

int FakePlatform::Box(ShownBox box, int fallbackAnswer) {
  calls.push_back(box.kind);
  box.answer = fallbackAnswer;
  if ((box.kind == "AskBox" || box.kind == "AskDialog") && !answers.empty()) {
    box.answer = answers.front();
    answers.pop_front();
  }
  boxes.push_back(box);
  if (whileBoxShown) whileBoxShown(box);
  return box.answer;
}

void FakePlatform::ShowNote(const Bytes& text) { Box({"ShowNote", "", text}, kIdOk); }
void FakePlatform::ShowNoteTitled(const Bytes& title, const Bytes& text) {
  Box({"ShowNoteTitled", title, text}, kIdOk);
}
int FakePlatform::AskBox(const Bytes& text, const Bytes& caption, unsigned flags) {
  return Box({"AskBox", caption, text, flags}, kIdOk);
}
int FakePlatform::AskDialog(const Bytes& text, int kind, unsigned buttons) {
  return Box({"AskDialog", "", text, buttons, kind}, kIdYes);
}

std::unique_ptr<FormView> FakePlatform::CreateForm(const Bytes& layout, FormEvents& events) {
  calls.push_back("CreateForm " + layout);
  auto it = layouts.find(layout);
  ControlSpec entry = ParseLayout(it != layouts.end() ? it->second : ReadLayoutFile(layout));
  auto form = std::make_unique<FakeForm>(entry, events);
  FakeForm* raw = form.get();
  forms.push_back(raw);
  raw->onDestroy = [this, raw] { FormDestroyed(raw); };
  events.Attach(*raw);
  raw->RunCreate();
  return form;
}

void FakePlatform::FormDestroyed(FakeForm* form) {
  calls.push_back("DestroyForm " + form->formName);
  forms.erase(std::remove(forms.begin(), forms.end(), form), forms.end());
}

void FakePlatform::ProcessMessages() {
  ++pumpCount;
  if (beforePump) beforePump(*this);
  // Dispatch what is queued now; what the handlers queue waits for the next pass, and
  // a nested pump inside a handler takes the following actions itself.
  size_t queued = queue.size();
  while (queued-- > 0 && !queue.empty()) {
    auto action = std::move(queue.front());
    queue.pop_front();
    action();
  }
}

void FakePlatform::ProcessMessagesOrWait() {
  ++pumpCount;
  if (beforePump) beforePump(*this);
  if (queue.empty()) throw FakeHang("a waiting loop would sleep for ever: nothing left to dispatch");
  auto action = std::move(queue.front());
  queue.pop_front();
  action();
}

}  // namespace tarnwick::test
