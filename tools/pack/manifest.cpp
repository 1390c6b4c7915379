#include "manifest.h"

#include <set>

#include "dos_date.h"
#include "util/exceptions.h"
#include "util/paths.h"

namespace tarnwick::pack {
namespace {

std::vector<Bytes> SplitFields(const Bytes& line, bool& unclosedQuote) {
  std::vector<Bytes> fields;
  size_t i = 0;
  unclosedQuote = false;
  while (true) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i >= line.size()) return fields;
    if (line[i] == '"') {
      const size_t close = line.find('"', i + 1);
      if (close == Bytes::npos) {
        unclosedQuote = true;
        return fields;
      }
      fields.push_back(line.substr(i + 1, close - i - 1));
      i = close + 1;
    } else {
      const size_t end = line.find_first_of(" \t", i);
      fields.push_back(line.substr(i, end == Bytes::npos ? Bytes::npos : end - i));
      i = end == Bytes::npos ? line.size() : end;
    }
  }
}

// Resource names go into the .rc file unquoted, so they must read as identifiers there.
bool IsResourceIdentifier(const Bytes& name) {
  if (name.empty() || name.size() > 64 || (name[0] >= '0' && name[0] <= '9')) return false;
  for (char c : name) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    if (!ok) return false;
  }
  return true;
}

Bytes FolderOf(const Bytes& path) {
  const size_t slash = path.find_last_of('/');
  return slash == Bytes::npos ? Bytes() : path.substr(0, slash + 1);
}

}  // namespace

Bytes ResourceName(const Bytes& catalogueName) { return UpperCase(catalogueName); }

std::vector<ManifestItem> ParseManifest(const Bytes& text, const Bytes& manifestPath) {
  std::vector<ManifestItem> items;
  std::set<Bytes> seen;
  int lineNumber = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == Bytes::npos) end = text.size();
    Bytes line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();

    const auto fail = [&](const Bytes& problem) {
      throw Exception(manifestPath + ":" + std::to_string(lineNumber) + ": " + problem);
    };
    bool unclosedQuote = false;
    const std::vector<Bytes> fields = SplitFields(line, unclosedQuote);
    if (unclosedQuote) fail("a quoted field is not closed");
    if (fields.empty() || fields[0][0] == '#') continue;
    if (fields.size() != 5)
      fail("expected: catalogue-name source-file stored-name YYYY-MM-DD HH:MM:SS");

    ManifestItem item;
    item.name = fields[0];
    item.line = lineNumber;
    if (!IsResourceIdentifier(item.name))
      fail(item.name + ": a catalogue name is letters, digits and '_', not starting with a digit");
    if (!seen.insert(ResourceName(item.name)).second) fail(item.name + ": listed twice");
    item.source = !fields[1].empty() && fields[1][0] == '/' ? fields[1] : FolderOf(manifestPath) + fields[1];
    item.storedName = fields[2];
    const auto packed = ParseDosDateTime(fields[3], fields[4]);
    if (!packed)
      fail(item.name + ": " + fields[3] + " " + fields[4] +
           " is no DOS date-time (1980-2107, even seconds)");
    item.dosDateTime = *packed;
    items.push_back(std::move(item));
  }
  return items;
}

}  // namespace tarnwick::pack
