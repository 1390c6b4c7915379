// The DOSBox set-up that ends an installation on 64-bit Windows, which cannot run the DOS
// program itself: dosbox.conf in the install folder, two desktop shortcuts and a note.
#include "payload/payload_errors.h"
#include "platform/message_boxes.h"
#include "platform/platform.h"
#include "product_texts.h"
#include "ucargo.h"
#include "util/format.h"
#include "util/paths.h"
#include "util/shortcut.h"

namespace tarnwick {

Bytes DosBoxPath;

namespace {

const char kTemplateResource[] = "rs_Conf";
const uint16_t kPrintHotKey = 0x0650;  // Ctrl+Alt+P: HOTKEYF_CONTROL|HOTKEYF_ALT, 'P'

bool HasBlank(const Bytes& path) { return Contains(path, " "); }

// DOSBox splits its command lines at blanks, so a path with a blank has to arrive in
// quotation marks; any other path is passed on exactly as it is.
Bytes QuotedIfBlank(const Bytes& path) { return HasBlank(path) ? "\"" + path + "\"" : path; }

// DOSBox runs [autoexec] as a batch file and expands %...% in it; "%%" stands for one "%".
Bytes EscapePercent(const Bytes& text) {
  Bytes result;
  for (char c : text) {
    result += c;
    if (c == '%') result += '%';
  }
  return result;
}

// The folder that [autoexec] mounts as drive C:, as DOSBox must read it.
Bytes MountArgument(const Bytes& folder) {
  return QuotedIfBlank(EscapePercent(StripTrailingBackslashes(folder)));
}

// The Ostramo host program. Where it is installed, Tarnwick is started from it and the
// set-up is left alone.
bool HostProgramPresent(const Bytes& folder) { return Sys().FileExists(folder + "quen.exe"); }

void DeleteIfPresent(const Bytes& path) {
  if (Sys().FileExists(path)) Sys().RemoveFile(path);  // a failure leaves the save to replace it
}

// Balances the set-up's own COM initialisation, also when a shortcut cannot be made.
class ComScope {
 public:
  ComScope() { Sys().ComInitialize(); }
  ~ComScope() { Sys().ComUninitialize(); }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
};

// The closing note. Its breaks are lone carriage returns and line feeds, not CR LF pairs.
Bytes ClosingMessage(const Bytes& shortcutName) {
  const Bytes product = kProductName;
  return "Tarnwick has been installed and shortcuts created to run it in DOSbox and another to "
         "Print to File F.\r\rClick the " +
         shortcutName + " Icon to start " + product + ".  " + "To print from " + product +
         ", choose \"print to file\" " + "and always name it the single letter \"f\".\n\n" +
         "To send the file F to the default printer,\n" + "    click \"Print F\" icon or \r" +
         "    press CTRL+ALT+P.";
}

}  // namespace

void WriteDosBoxConf(const Bytes& programFile) {
  std::optional<std::string_view> found = Sys().FindProgramResource(kTemplateResource);
  if (!found) throw EResNotFound(Format("Resource %s not found", {Bytes(kTemplateResource)}));
  Bytes text(*found);

  size_t cut = programFile.rfind('\\');
  Bytes folder = cut == Bytes::npos ? Bytes() : programFile.substr(0, cut + 1);
  Bytes name = programFile.substr(folder.size());

  // Every configuration in the folder goes, so that DOSBox cannot pick up a stale one.
  Sys().RecycleFiles(folder + "*.conf");

  // A template that already mounts C: keeps only what comes before that mount.
  size_t mount = text.find("mount c ");
  if (mount != Bytes::npos) text.erase(mount);
  text += Format("mount c %s\r\nc:\r\ndel f\r\n%s /ns\r\nexit\r\n", {MountArgument(folder), name});

  Sys().WriteFileBytes(folder + "dosbox.conf", text);
}

void SetUpDosBox(const Bytes& folder, const Bytes& desktop) {
  if (HostProgramPresent(folder)) return;

  WriteDosBoxConf(folder + "quenw.exe");

  const Bytes stem = FileStem("tkmark.ico");
  // "-conf" takes the rest of its argument as given, so only a blank needs quotation marks.
  const Bytes arguments = "-noconsole -conf " + QuotedIfBlank(folder + "dosbox.conf");
  const Bytes icon = folder + "tkmark.ico";
  const Bytes shortcutName = CapitalizeWords(stem) + " DOSbox";
  const Bytes dosBoxLink = desktop + shortcutName + ".lnk";
  const Bytes printLink = desktop + "Print F.lnk";

  DeleteIfPresent(dosBoxLink);
  DeleteIfPresent(printLink);

  {
    ComScope com;
    CreateShortcut(dosBoxLink, DosBoxPath, arguments, kProductName, icon, 0, 0);
    CreateShortcut(printLink, folder + "pr32.exe", "f", "Print File f (CTRL+ALT+P)", icon, 0,
                   kPrintHotKey);
  }

  ShowNote(ClosingMessage(shortcutName));
}

}  // namespace tarnwick
