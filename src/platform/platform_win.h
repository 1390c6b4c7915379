#pragma once
// The real machine: the platform interface on Win32, the control layer and the shell.
// Every operation is virtual so that Windows-side tests can replace the modal ones.
#include "platform/platform.h"

namespace tarnwick {

class Win32Platform : public Platform {
 public:
  bool IsWindows64() override;
  Bytes GetSpecialFolder(int csidl) override;
  Bytes CommandLine() override;
  unsigned DriveType(const Bytes& root) override;
  Bytes ThousandsSeparator() override;
  Bytes CurrentDirectory() override;
  bool FileExists(const Bytes& path) override;
  bool FolderExists(const Bytes& path) override;
  bool CreateFolder(const Bytes& path) override;
  std::vector<FolderEntry> ListFolder(const Bytes& pattern) override;
  bool WriteFileBytes(const Bytes& path, const Bytes& bytes) override;
  bool SetFileDosDate(const Bytes& path, int32_t dosDateTime) override;
  bool RemoveFile(const Bytes& path) override;
  bool RecycleFiles(const Bytes& mask) override;
  std::optional<std::string_view> FindProgramResource(const Bytes& name) override;
  void OpenWebPage(const Bytes& address) override;
  void ComInitialize() override;
  void ComUninitialize() override;
  void WriteShellLink(const ShellLinkFields& fields) override;
  Bytes BrowseForFolder(const Bytes& caption, const Bytes& initialFolder) override;
  void ShowNote(const Bytes& text) override;
  void ShowNoteTitled(const Bytes& title, const Bytes& text) override;
  int AskBox(const Bytes& text, const Bytes& caption, unsigned flags) override;
  int AskDialog(const Bytes& text, int kind, unsigned buttons) override;
  std::unique_ptr<FormView> CreateForm(const Bytes& layout, FormEvents& events) override;
  void ProcessMessages() override;
  void ProcessMessagesOrWait() override;
};

}  // namespace tarnwick
