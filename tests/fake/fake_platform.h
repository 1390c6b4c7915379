#pragma once
// An in-memory machine for the native tests: a file system with case-insensitive paths,
// resources, special folders, scripted answers for every box, windows built from the real
// layouts, and a message queue of scripted actions (clicks, close requests) that the
// program's pumps dispatch one at a time. Every call is logged in order.
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "fake/fake_form.h"
#include "platform/platform.h"
#include "util/exceptions.h"

namespace tarnwick::test {

// Raised when a waiting loop would sleep with nothing left that could ever wake it:
// a hang on a real machine, a failure here.
struct FakeHang : Exception {
  using Exception::Exception;
};

struct ShownBox {
  std::string kind;  // "ShowNote", "ShowNoteTitled", "AskBox", "AskDialog"
  Bytes title;       // title or caption
  Bytes text;
  unsigned flags = 0;  // AskBox flags, AskDialog buttons
  int dialogKind = 0;
  int answer = 0;
};

class FakePlatform : public Platform {
 public:
  FakePlatform();

  // --- What the machine looks like (set up by a test) ---
  bool windows64 = false;
  bool wow64QueryFails = false;
  std::map<int, Bytes> specialFolders;            // csidl → path; absent: empty
  Bytes commandLine = "\"C:\\Setup\\TarnwickSetup.exe\"";
  std::map<Bytes, unsigned> driveTypes;           // lower-case root → type; absent: no root dir
  Bytes thousandsSeparator = ",";
  Bytes currentDirectory = "C:\\Work";
  std::map<Bytes, Bytes> resources;               // upper-case name → blob
  std::set<Bytes> readOnlyFolders;                // lower-case folders where nothing can be written
  std::map<Bytes, size_t> shortWrites;            // lower-case path → bytes that reach the disk
  std::map<Bytes, std::vector<FolderEntry>> listings;  // lower-case pattern → entries in order
  bool shellLinkFails = false;
  Bytes browseAnswer;                             // folder the browser returns; empty: cancelled

  // Answers for AskBox/AskDialog, taken in order; when none is left: OK (1) / Yes (6).
  std::deque<int> answers;
  // Runs while a box is up (the box is passed in), before it returns.
  std::function<void(const ShownBox&)> whileBoxShown;

  // --- The file system ---
  struct File {
    Bytes path;       // as written
    Bytes content;
    int32_t dosDate = 0;
    bool dateSet = false;
  };
  std::map<Bytes, File> files;   // lower-case path → file
  std::set<Bytes> folders;       // lower-case folder paths, no trailing backslash
  void AddFile(const Bytes& path, const Bytes& content = "x");
  void AddFolder(const Bytes& path);
  const File* FindFile(const Bytes& path) const;

  // --- What happened ---
  std::vector<std::string> calls;     // "WriteFileBytes c:\qv\a.exe", "ComInitialize", ...
  std::vector<ShownBox> boxes;
  std::vector<Bytes> openedPages;
  std::vector<ShellLinkFields> links;
  std::vector<Bytes> recycledMasks;
  std::vector<Bytes> browseCaptions;
  std::vector<Bytes> browseInitialFolders;
  std::vector<FakeForm*> forms;       // every form created and not yet destroyed
  FakeForm* Form(const std::string& name);  // the live form of that layout, or nullptr
  int pumpCount = 0;                  // ProcessMessages and ProcessMessagesOrWait passes

  // --- The message queue ---
  // Actions dispatched by the program's pumps, one per dispatch, in order.
  std::deque<std::function<void()>> queue;
  // Called at the start of every pump pass, before dispatching: the place to queue a click
  // at a precise moment (the pass number is pumpCount after the increment).
  std::function<void(FakePlatform&)> beforePump;
  // Layout texts by name; absent ones are read from resources/layouts/<name>.layout.
  std::map<Bytes, Bytes> layouts;

  // --- Platform ---
  bool IsWindows64() override;
  Bytes GetSpecialFolder(int csidl) override;
  Bytes CommandLine() override { return commandLine; }
  unsigned DriveType(const Bytes& root) override;
  Bytes ThousandsSeparator() override { return thousandsSeparator; }
  Bytes CurrentDirectory() override { return currentDirectory; }
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

  void FormDestroyed(FakeForm* form);

 private:
  int Box(ShownBox box, int fallbackAnswer);
  bool InReadOnlyFolder(const Bytes& lowerPath) const;
};

// The folder part of a path (up to, not including, the last backslash), lower-cased.
Bytes FakeParentOf(const Bytes& path);

}  // namespace tarnwick::test
