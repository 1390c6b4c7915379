#pragma once
// The installer's view of the machine it runs on. Everything the installation logic needs
// from Windows goes through this one narrow interface, named after what the installer does:
// the Win32 layer implements it for real, the native tests with an in-memory fake that
// answers boxes and clicks from a script. No <windows.h> here.
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/form_view.h"
#include "util/bytes.h"

namespace tarnwick {

// Shell special folders the installer asks for.
enum Csidl : int {
  kCsidlDesktop = 0x0000,
  kCsidlWindows = 0x0024,
  kCsidlProgramFiles = 0x0026,
  kCsidlProgramFilesX86 = 0x002A,
};

// Windows drive types (GetDriveType).
enum DriveKind : unsigned {
  kDriveUnknown = 0,
  kDriveNoRootDir = 1,
  kDriveRemovable = 2,
  kDriveFixed = 3,
  kDriveRemote = 4,
  kDriveCdRom = 5,
  kDriveRamDisk = 6,
};

// Message-box flags and results the installer uses.
enum : unsigned { kMbOk = 0x00, kMbOkCancel = 0x01, kMbIconWarning = 0x30 };
enum : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };
// AskDialog: kind 0 is a warning; buttons is a set (Yes bit 0, No bit 1, OK bit 2, Cancel bit 3).
enum : int { kDialogWarning = 0 };
enum : unsigned { kButtonYes = 1u << 0, kButtonNo = 1u << 1, kButtonOk = 1u << 2, kButtonCancel = 1u << 3 };

struct FolderEntry {
  Bytes name;        // long file name
  bool isFolder = false;
};

// The fields of one shell link, as the shortcut writer sets them.
struct ShellLinkFields {
  Bytes linkFile;          // full path of the .lnk file
  Bytes target;
  Bytes workingDirectory;
  Bytes arguments;
  Bytes description;
  Bytes iconFile;
  int iconIndex = 0;
  uint16_t hotKey = 0;     // 0: none, SetHotkey is not called
};

class Platform {
 public:
  virtual ~Platform() = default;

  // --- The machine ---
  // True on 64-bit Windows. Raises "Bad process handle" when the system's query fails.
  virtual bool IsWindows64() = 0;
  // Path of a shell special folder without trailing backslash (except a drive root); empty when none.
  virtual Bytes GetSpecialFolder(int csidl) = 0;
  // The whole command line as the system reports it, program path and quotes included.
  virtual Bytes CommandLine() = 0;
  virtual unsigned DriveType(const Bytes& root) = 0;
  // Thousands separator of the user's locale.
  virtual Bytes ThousandsSeparator() = 0;

  // --- The file system ---
  virtual Bytes CurrentDirectory() = 0;
  virtual bool FileExists(const Bytes& path) = 0;    // a file, not a folder
  virtual bool FolderExists(const Bytes& path) = 0;
  virtual bool CreateFolder(const Bytes& path) = 0;  // one level
  // Entries matching a pattern such as "c:\program files\*.*", in the order the system
  // delivers them, hidden and system entries left out. Empty when the search cannot start.
  virtual std::vector<FolderEntry> ListFolder(const Bytes& pattern) = 0;
  // Creates or truncates the file and writes every byte. Empty bytes delete the file.
  // True only when the file holds exactly these bytes afterwards (a short write is false).
  virtual bool WriteFileBytes(const Bytes& path, const Bytes& bytes) = 0;
  // Sets the last-write time from a packed MS-DOS date-time read as local time.
  virtual bool SetFileDosDate(const Bytes& path, int32_t dosDateTime) = 0;
  virtual bool RemoveFile(const Bytes& path) = 0;
  // Silently sends every file matching the mask to the Recycle Bin; true when the shell said so.
  virtual bool RecycleFiles(const Bytes& mask) = 0;

  // --- The program's own image ---
  // An RCDATA blob by name, compared without regard to case; nullopt when there is none.
  // (Names here avoid DeleteFile and FindResource, which <windows.h> turns into macros.)
  virtual std::optional<std::string_view> FindProgramResource(const Bytes& name) = 0;

  // --- The shell ---
  virtual void OpenWebPage(const Bytes& address) = 0;
  virtual void ComInitialize() = 0;
  virtual void ComUninitialize() = 0;
  // Writes a shell link. Raises when the shell-link object cannot be created.
  virtual void WriteShellLink(const ShellLinkFields& fields) = 0;
  // The system's folder browser; the chosen folder, or the initial one when cancelled.
  virtual Bytes BrowseForFolder(const Bytes& caption, const Bytes& initialFolder) = 0;

  // --- Talking to the user (all modal) ---
  virtual void ShowNote(const Bytes& text) = 0;
  virtual void ShowNoteTitled(const Bytes& title, const Bytes& text) = 0;
  virtual int AskBox(const Bytes& text, const Bytes& caption, unsigned flags) = 0;
  virtual int AskDialog(const Bytes& text, int kind, unsigned buttons) = 0;

  // --- Windows and the message pump ---
  // Builds a window from the named layout resource, hidden, binding its events to `events`;
  // then calls events.Attach(view) and runs the layout's OnCreate.
  virtual std::unique_ptr<FormView> CreateForm(const Bytes& layout, FormEvents& events) = 0;
  // Dispatches every queued message and returns.
  virtual void ProcessMessages() = 0;
  // One pass of a waiting loop: dispatches what is queued, or sleeps until a message comes.
  virtual void ProcessMessagesOrWait() = 0;
};

// The platform the installer talks to. The program entry installs the Win32 one;
// tests install a fake for the length of a test.
Platform& Sys();

class ScopedPlatform {
 public:
  explicit ScopedPlatform(Platform& platform);
  ~ScopedPlatform();
  ScopedPlatform(const ScopedPlatform&) = delete;
  ScopedPlatform& operator=(const ScopedPlatform&) = delete;

 private:
  Platform* previous_;
};

}  // namespace tarnwick
