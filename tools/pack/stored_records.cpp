#include "stored_records.h"

#include "file_io.h"
#include "payload/payload_catalogue.h"
#include "pe_resources.h"
#include "util/exceptions.h"
#include "util/format.h"
#include "util/paths.h"

namespace tarnwick::pack {
namespace {

std::vector<Bytes> CatalogueNames() {
  Bytes rest = kPayloadCatalogue;
  std::vector<Bytes> names;
  while (!rest.empty()) names.push_back(SplitFirst(rest, ","));
  return names;
}

// "build/payload/RS_WLB1.bin" gives "rs_wlb1" when that is a catalogue name.
Bytes ItemOfRecordFile(const Bytes& path) {
  const size_t slash = path.find_last_of('/');
  Bytes stem = LowerCase(path.substr(slash == Bytes::npos ? 0 : slash + 1));
  stem = stem.substr(0, stem.find('.'));
  for (const Bytes& name : CatalogueNames())
    if (name == stem) return name;
  return "-";
}

}  // namespace

StoredRecords::StoredRecords(const std::vector<Bytes>& paths) {
  for (const Bytes& path : paths) {
    try {
      files_.push_back(std::make_unique<Bytes>(ReadWholeFile(path)));
      const std::string_view bytes = *files_.back();
      if (LooksLikeExecutable(bytes)) {
        AddExecutable(path, bytes);
      } else {
        AddRecordFile(path, bytes);
      }
    } catch (const Exception& e) {
      problems_.push_back(path + ": " + e.Message());
    }
  }
}

void StoredRecords::AddExecutable(const Bytes& path, std::string_view image) {
  const std::vector<ResourceBlob> blobs = ReadRcdataResources(image);
  for (const Bytes& name : CatalogueNames()) {
    const Bytes wanted = UpperCase(name);
    const ResourceBlob* found = nullptr;
    for (const ResourceBlob& blob : blobs)
      if (UpperCase(blob.name) == wanted) found = &blob;
    if (found) {
      records_.push_back({path, name, found->data});
    } else {
      problems_.push_back(path + ": " + name + ": " + Format("Resource %s not found", {name}));
    }
  }
}

void StoredRecords::AddRecordFile(const Bytes& path, std::string_view record) {
  records_.push_back({path, ItemOfRecordFile(path), record});
}

}  // namespace tarnwick::pack
