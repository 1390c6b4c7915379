#include "util/shortcut_win.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include "util/exceptions.h"
#include "util/format.h"
#include "util/wide_win.h"

namespace tarnwick {
namespace {

const char kShellLinkClassId[] = "{00021401-0000-0000-C000-000000000046}";

// The identifiers, written out here: the import library that defines them holds every
// interface identifier of Windows in one object, some 40 KB that the program would carry.
const CLSID kClsidShellLink = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIidUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIidShellLinkA = {0x000214EE, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIidPersistFile = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Owns one COM interface reference and releases it when it goes out of scope.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { Reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  T* operator->() const { return ptr_; }
  T* Get() const { return ptr_; }
  // For the functions that hand out a new reference through a void** argument.
  void** Receive() {
    Reset();
    return reinterpret_cast<void**>(&ptr_);
  }

 private:
  void Reset() {
    if (ptr_) ptr_->Release();
    ptr_ = nullptr;
  }
  T* ptr_ = nullptr;
};

// The system's own text for a failure code, without the trailing line break and full stop.
// Where the system has no text for it (Wine has none for most COM codes), the code itself,
// so that the message still says what went wrong.
Bytes SystemErrorText(HRESULT code) {
  char* buffer = nullptr;
  DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  Bytes text(buffer ? buffer : "", buffer ? length : 0);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (static_cast<unsigned char>(text.back()) <= ' ' || text.back() == '.'))
    text.pop_back();
  if (text.empty()) {
    const char digits[] = "0123456789ABCDEF";
    text = "OLE error ";
    for (int shift = 28; shift >= 0; shift -= 4) text += digits[(static_cast<uint32_t>(code) >> shift) & 0xF];
  }
  return text;
}

template <typename T>
void Query(IUnknown* object, REFIID iid, ComPtr<T>& out) {
  if (FAILED(object->QueryInterface(iid, out.Receive()))) throw Exception("Interface not supported");
}

}  // namespace

void WriteShellLinkObject(const ShellLinkFields& fields) {
  const std::vector<wchar_t> linkPath = WideFromAnsi(fields.linkFile);

  ComPtr<IUnknown> object;
  HRESULT created = CoCreateInstance(kClsidShellLink, nullptr,
                                     CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, kIidUnknown,
                                     object.Receive());
  if (FAILED(created))
    throw EOSError(Format("%s, ClassID: %s", {SystemErrorText(created), Bytes(kShellLinkClassId)}));

  ComPtr<IShellLinkA> link;
  ComPtr<IPersistFile> file;
  Query(object.Get(), kIidShellLinkA, link);
  Query(object.Get(), kIidPersistFile, file);

  // What the setters and the save answer is not examined: a shortcut that cannot be
  // completed is not worth stopping an installation for.
  link->SetPath(fields.target.c_str());
  link->SetWorkingDirectory(fields.workingDirectory.c_str());
  link->SetArguments(fields.arguments.c_str());
  link->SetIconLocation(fields.iconFile.c_str(), fields.iconIndex);
  link->SetDescription(fields.description.c_str());
  link->SetShowCmd(SW_SHOWNORMAL);
  if (fields.hotKey != 0) link->SetHotkey(fields.hotKey);
  file->Save(linkPath.data(), FALSE);
}

}  // namespace tarnwick
