// tarnwick-pack: packs the installer's payload records and reads them back.
#include <cstdio>
#include <new>
#include <vector>

#include "commands.h"
#include "util/exceptions.h"

namespace {

const char kHelp[] =
    "Usage:\n"
    "  tarnwick-pack pack MANIFEST OUTDIR\n"
    "      Packs one enciphered payload record per manifest line into OUTDIR as\n"
    "      <NAME>.bin, and writes OUTDIR/payload.rc, which embeds them as RCDATA.\n"
    "      Manifest lines: catalogue-name source-file stored-name YYYY-MM-DD HH:MM:SS\n"
    "      (quote a field that holds blanks; '#' starts a comment line). A stored name\n"
    "      must be a plain file name of at most 30 bytes.\n"
    "  tarnwick-pack list FILE...\n"
    "      Lists the items of TarnwickSetup.exe files (their payload resources) or of\n"
    "      record files: catalogue name, stored file name, date, size, stored size.\n"
    "  tarnwick-pack extract DIR FILE...\n"
    "      Writes every item into DIR under its stored name and with its stored date,\n"
    "      read exactly as the installer reads it.\n"
    "  tarnwick-pack --help\n"
    "Exit code 0 on success; otherwise 1, with one line per problem on standard error.\n";

int Usage() {
  tarnwick::pack::Complain("wrong arguments; see tarnwick-pack --help");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<tarnwick::Bytes> args(argv + 1, argv + argc);
  try {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
      std::fputs(kHelp, stdout);
      return 0;
    }
    if (args.size() == 3 && args[0] == "pack") return tarnwick::pack::Pack(args[1], args[2]);
    if (args.size() >= 2 && args[0] == "list")
      return tarnwick::pack::List({args.begin() + 1, args.end()});
    if (args.size() >= 3 && args[0] == "extract")
      return tarnwick::pack::Extract(args[1], {args.begin() + 2, args.end()});
    return Usage();
  } catch (const tarnwick::Exception& e) {
    tarnwick::pack::Complain(e.Message());
  } catch (const std::bad_alloc&) {
    tarnwick::pack::Complain("out of memory");
  }
  return 1;
}
