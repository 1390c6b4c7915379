#pragma once
// Where `list` and `extract` find stored records: the RCDATA resources of a built
// TarnwickSetup.exe, looked up by catalogue name as the installer does, or record files
// as `pack` writes them.
#include <memory>
#include <string_view>
#include <vector>

#include "util/bytes.h"

namespace tarnwick::pack {

struct StoredRecord {
  Bytes origin;         // the file it came from
  Bytes item;           // catalogue name, or "-" when the file does not say
  std::string_view bytes;
};

class StoredRecords {
 public:
  // Reads every file. A file that cannot be read at all, or an executable that lacks a
  // catalogue item, becomes a problem line; the rest are still listed.
  explicit StoredRecords(const std::vector<Bytes>& paths);

  const std::vector<StoredRecord>& records() const { return records_; }
  const std::vector<Bytes>& problems() const { return problems_; }

 private:
  void AddExecutable(const Bytes& path, std::string_view image);
  void AddRecordFile(const Bytes& path, std::string_view record);

  std::vector<std::unique_ptr<Bytes>> files_;  // owns what the views point into
  std::vector<StoredRecord> records_;
  std::vector<Bytes> problems_;
};

}  // namespace tarnwick::pack
