#pragma once
// The packing manifest: one payload item per line,
//
//   catalogue-name  source-file  stored-name  YYYY-MM-DD  HH:MM:SS
//
// fields separated by blanks or tabs; a field with blanks in it is written in double
// quotes. Blank lines and lines starting with '#' are skipped. A relative source file is
// taken from the manifest's own folder.
#include <cstdint>
#include <vector>

#include "util/bytes.h"

namespace tarnwick::pack {

struct ManifestItem {
  Bytes name;        // catalogue name, as written
  Bytes source;      // path of the file to pack
  Bytes storedName;  // the file name the installer writes
  int32_t dosDateTime = 0;
  int line = 0;
};

// Raises tarnwick::Exception with "<manifest>:<line>: <problem>" for a line it cannot take
// (wrong field count, a catalogue name that is no resource identifier, a repeated name, a
// date that a packed DOS date cannot hold). Stored names are checked when packing.
std::vector<ManifestItem> ParseManifest(const Bytes& text, const Bytes& manifestPath);

// The upper-case resource name of a catalogue name.
Bytes ResourceName(const Bytes& catalogueName);

}  // namespace tarnwick::pack
