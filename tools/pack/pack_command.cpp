#include <utility>

#include "commands.h"
#include "file_io.h"
#include "manifest.h"
#include "payload/payload_key.h"
#include "payload/record_reader.h"
#include "payload/record_writer.h"
#include "util/exceptions.h"

namespace tarnwick::pack {
namespace {

Bytes BaseName(const Bytes& path) {
  const size_t slash = path.find_last_of('/');
  return slash == Bytes::npos ? path : path.substr(slash + 1);
}

// What windres needs to embed the records: language-neutral RCDATA under the upper-case
// catalogue names. File names are relative to the .rc, which windres resolves from its own
// folder, so the text is the same in every build folder.
Bytes ResourceScript(const Bytes& manifestPath, const std::vector<std::pair<Bytes, Bytes>>& records) {
  Bytes rc = "// The payload records, written by tarnwick-pack from " + BaseName(manifestPath) +
             "; do not edit.\nLANGUAGE 0, 0\n";
  for (const auto& [fileName, record] : records) {
    rc += fileName.substr(0, fileName.find('.')) + " RCDATA \"" + fileName + "\"\n";
  }
  return rc;
}

}  // namespace

int Pack(const Bytes& manifestPath, const Bytes& outFolder) {
  const std::vector<ManifestItem> items = ParseManifest(ReadWholeFile(manifestPath), manifestPath);
  if (items.empty()) throw Exception(manifestPath + ": lists no items");

  Bytes key;
  BuildPayloadKey(key);
  // Every record is made and checked before the first is written, so that a refused item
  // leaves no half-packed folder behind.
  std::vector<std::pair<Bytes, Bytes>> records;
  for (const ManifestItem& item : items) {
    const Bytes where = manifestPath + ":" + std::to_string(item.line) + ": " + item.name + ": ";
    const Bytes content = ReadWholeFile(item.source);
    Bytes record;
    try {
      record = PackRecord(content, item.storedName, item.dosDateTime);
    } catch (const Exception& e) {
      throw Exception(where + e.Message());
    }
    // The installer's own reader must give the file back exactly.
    Bytes name;
    int32_t date = 0;
    if (ReadPayloadRecord(key, record, name, date) != content || name != item.storedName ||
        date != item.dosDateTime)
      throw Exception(where + "the record does not read back as packed");
    records.emplace_back(ResourceName(item.name) + ".bin", std::move(record));
  }

  EnsureFolder(outFolder);
  for (const auto& [fileName, record] : records) WriteWholeFile(outFolder + "/" + fileName, record);
  WriteWholeFile(outFolder + "/payload.rc", ResourceScript(manifestPath, records));
  return 0;
}

}  // namespace tarnwick::pack
