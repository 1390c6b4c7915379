#include "util/shortcut_win.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

#include "util/exceptions.h"
#include "util/format.h"

namespace tarnwick {
namespace {

const char kShellLinkClassId[] = "{00021401-0000-0000-C000-000000000046}";

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
    char number[32];
    snprintf(number, sizeof number, "OLE error %08lX", static_cast<unsigned long>(code));
    text = number;
  }
  return text;
}

std::wstring Utf16FromAnsi(const Bytes& text) {
  if (text.empty()) return std::wstring();
  int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

template <typename T>
void Query(IUnknown* object, REFIID iid, ComPtr<T>& out) {
  if (FAILED(object->QueryInterface(iid, out.Receive()))) throw Exception("Interface not supported");
}

}  // namespace

void WriteShellLinkObject(const ShellLinkFields& fields) {
  const std::wstring linkPath = Utf16FromAnsi(fields.linkFile);

  ComPtr<IUnknown> object;
  HRESULT created = CoCreateInstance(CLSID_ShellLink, nullptr,
                                     CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown,
                                     object.Receive());
  if (FAILED(created))
    throw EOSError(Format("%s, ClassID: %s", {SystemErrorText(created), Bytes(kShellLinkClassId)}));

  ComPtr<IShellLinkA> link;
  ComPtr<IPersistFile> file;
  Query(object.Get(), IID_IShellLinkA, link);
  Query(object.Get(), IID_IPersistFile, file);

  // What the setters and the save answer is not examined: a shortcut that cannot be
  // completed is not worth stopping an installation for.
  link->SetPath(fields.target.c_str());
  link->SetWorkingDirectory(fields.workingDirectory.c_str());
  link->SetArguments(fields.arguments.c_str());
  link->SetIconLocation(fields.iconFile.c_str(), fields.iconIndex);
  link->SetDescription(fields.description.c_str());
  link->SetShowCmd(SW_SHOWNORMAL);
  if (fields.hotKey != 0) link->SetHotkey(fields.hotKey);
  file->Save(linkPath.c_str(), FALSE);
}

}  // namespace tarnwick
