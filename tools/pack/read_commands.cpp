#include <cstdio>

#include "commands.h"
#include "dos_date.h"
#include "file_io.h"
#include "payload/payload_errors.h"
#include "payload/payload_key.h"
#include "payload/record_reader.h"
#include "stored_records.h"

namespace tarnwick::pack {
namespace {

struct ReadItem {
  Bytes content;
  Bytes fileName;
  int32_t fileDate = 0;
};

// Reads one record through the installer's reader; false (and a complaint naming the item)
// for a record the installer would refuse.
bool Read(const StoredRecord& record, ReadItem& out) {
  Bytes key;
  BuildPayloadKey(key);
  try {
    out.content = ReadPayloadRecord(key, record.bytes, out.fileName, out.fileDate);
    return true;
  } catch (const EDecompressionError& e) {
    Complain(record.origin + ": " + record.item + ": the record is damaged (" + e.Message() + ")");
    return false;
  }
}

int ReportProblems(const StoredRecords& inputs) {
  for (const Bytes& problem : inputs.problems()) Complain(problem);
  return inputs.problems().empty() ? 0 : 1;
}

}  // namespace

void Complain(const Bytes& text) { std::fprintf(stderr, "tarnwick-pack: %s\n", text.c_str()); }

int List(const std::vector<Bytes>& files) {
  const StoredRecords inputs(files);
  int result = ReportProblems(inputs);
  std::printf("%-12s %-30s %-19s %10s %10s\n", "item", "file name", "date", "size", "stored");
  for (const StoredRecord& record : inputs.records()) {
    ReadItem item;
    if (!Read(record, item)) {
      result = 1;
      continue;
    }
    std::printf("%-12s %-30s %-19s %10zu %10zu\n", record.item.c_str(), item.fileName.c_str(),
                FormatDosDateTime(item.fileDate).c_str(), item.content.size(), record.bytes.size());
  }
  return result;
}

int Extract(const Bytes& folder, const std::vector<Bytes>& files) {
  const StoredRecords inputs(files);
  int result = ReportProblems(inputs);
  EnsureFolder(folder);
  for (const StoredRecord& record : inputs.records()) {
    ReadItem item;
    if (!Read(record, item)) {
      result = 1;
      continue;
    }
    // The reader only hands out plain file names, so the path stays inside the folder.
    WriteFileInFolder(folder, item.fileName, item.content, DosDateTimeToTime(item.fileDate));
  }
  return result;
}

}  // namespace tarnwick::pack
