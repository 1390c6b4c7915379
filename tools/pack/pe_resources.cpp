#include "pe_resources.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "util/exceptions.h"

namespace tarnwick::pack {
namespace {

constexpr uint32_t kRtRcdata = 10;
constexpr uint32_t kHighBit = 0x80000000u;

[[noreturn]] void Damaged(const char* what) {
  throw Exception(std::string("not a readable Windows executable (") + what + ")");
}

// A bounds-checked view: every read names the offset and width it needs.
class ByteView {
 public:
  explicit ByteView(std::string_view bytes) : bytes_(bytes) {}

  bool Holds(uint64_t offset, uint64_t width) const {
    return offset <= bytes_.size() && width <= bytes_.size() - offset;
  }
  uint32_t U16(uint64_t offset) const {
    if (!Holds(offset, 2)) Damaged("truncated");
    return uint32_t(Byte(offset + 1)) << 8 | uint32_t(Byte(offset));
  }
  uint32_t U32(uint64_t offset) const {
    if (!Holds(offset, 4)) Damaged("truncated");
    return uint32_t(Byte(offset + 3)) << 24 | uint32_t(Byte(offset + 2)) << 16 |
           uint32_t(Byte(offset + 1)) << 8 | uint32_t(Byte(offset));
  }
  std::string_view Slice(uint64_t offset, uint64_t width) const {
    if (!Holds(offset, width)) Damaged("data outside the file");
    return bytes_.substr(size_t(offset), size_t(width));
  }
  size_t size() const { return bytes_.size(); }

 private:
  unsigned char Byte(uint64_t offset) const { return static_cast<unsigned char>(bytes_[size_t(offset)]); }
  std::string_view bytes_;
};

struct Section {
  uint32_t virtualAddress, virtualSize, rawSize, rawOffset;
};

class Image {
 public:
  explicit Image(std::string_view bytes) : file_(bytes) {
    if (file_.size() < 0x40 || file_.U16(0) != 0x5A4D) Damaged("no MZ header");
    const uint64_t pe = file_.U32(0x3C);
    if (file_.U32(pe) != 0x00004550) Damaged("no PE signature");
    const uint64_t coff = pe + 4;
    const uint32_t sectionCount = file_.U16(coff + 2);
    const uint32_t optionalSize = file_.U16(coff + 16);
    const uint64_t optional = coff + 20;
    const uint32_t magic = file_.U16(optional);
    uint64_t directories = 0, directoryCount = 0;
    if (magic == 0x10B) {         // PE32
      directoryCount = file_.U32(optional + 92);
      directories = optional + 96;
    } else if (magic == 0x20B) {  // PE32+
      directoryCount = file_.U32(optional + 108);
      directories = optional + 112;
    } else {
      Damaged("unknown optional header");
    }
    constexpr uint64_t kResourceDirectory = 2;
    if (directoryCount > kResourceDirectory &&
        directories + (kResourceDirectory + 1) * 8 <= optional + optionalSize) {
      resourceRva_ = file_.U32(directories + kResourceDirectory * 8);
      resourceSize_ = file_.U32(directories + kResourceDirectory * 8 + 4);
    }
    const uint64_t table = optional + optionalSize;
    for (uint32_t i = 0; i < sectionCount; ++i) {
      const uint64_t s = table + uint64_t(i) * 40;
      sections_.push_back({file_.U32(s + 12), file_.U32(s + 8), file_.U32(s + 16), file_.U32(s + 20)});
    }
  }

  // The file bytes behind an address range of the loaded image.
  std::string_view AtRva(uint32_t rva, uint32_t width) const {
    for (const Section& s : sections_) {
      if (rva < s.virtualAddress) continue;
      const uint64_t into = rva - s.virtualAddress;
      if (into + width <= s.rawSize) return file_.Slice(uint64_t(s.rawOffset) + into, width);
    }
    Damaged("address outside every section");
  }

  // The resource directory, as far as its section's raw data reaches.
  std::string_view ResourceDirectory() const {
    if (resourceRva_ == 0 || resourceSize_ == 0) return {};
    for (const Section& s : sections_) {
      if (resourceRva_ < s.virtualAddress) continue;
      const uint64_t into = resourceRva_ - s.virtualAddress;
      if (into >= s.rawSize) continue;
      const uint64_t width = std::min<uint64_t>(resourceSize_, s.rawSize - into);
      return file_.Slice(uint64_t(s.rawOffset) + into, width);
    }
    Damaged("resource directory outside every section");
  }

 private:
  ByteView file_;
  std::vector<Section> sections_;
  uint32_t resourceRva_ = 0, resourceSize_ = 0;
};

struct DirectoryEntry {
  uint32_t name;    // an id, or with the high bit an offset to a counted UTF-16 name
  uint32_t target;  // with the high bit a subdirectory, else a data entry
};

std::vector<DirectoryEntry> ReadDirectory(const ByteView& tree, uint32_t offset) {
  const uint64_t count = uint64_t(tree.U16(uint64_t(offset) + 12)) + tree.U16(uint64_t(offset) + 14);
  std::vector<DirectoryEntry> entries;
  for (uint64_t i = 0; i < count; ++i) {
    const uint64_t e = uint64_t(offset) + 16 + i * 8;
    entries.push_back({tree.U32(e), tree.U32(e + 4)});
  }
  return entries;
}

uint32_t Subdirectory(const DirectoryEntry& entry) {
  if (!(entry.target & kHighBit)) Damaged("resource entry where a directory belongs");
  return entry.target & ~kHighBit;
}

Bytes EntryName(const ByteView& tree, const DirectoryEntry& entry) {
  if (!(entry.name & kHighBit)) return "#" + std::to_string(entry.name);
  const uint64_t at = entry.name & ~kHighBit;
  const uint32_t length = tree.U16(at);
  Bytes name;
  for (uint32_t i = 0; i < length; ++i) {
    const uint32_t unit = tree.U16(at + 2 + uint64_t(i) * 2);
    name += unit < 0x80 ? static_cast<char>(unit) : '?';
  }
  return name;
}

}  // namespace

bool LooksLikeExecutable(std::string_view image) { return image.substr(0, 2) == "MZ"; }

std::vector<ResourceBlob> ReadRcdataResources(std::string_view bytes) {
  const Image image(bytes);
  const ByteView tree(image.ResourceDirectory());
  std::vector<ResourceBlob> blobs;
  if (tree.size() == 0) return blobs;
  for (const DirectoryEntry& type : ReadDirectory(tree, 0)) {
    if (type.name != kRtRcdata) continue;
    for (const DirectoryEntry& named : ReadDirectory(tree, Subdirectory(type))) {
      const std::vector<DirectoryEntry> languages = ReadDirectory(tree, Subdirectory(named));
      if (languages.empty()) continue;
      if (languages.front().target & kHighBit) Damaged("directory where resource data belongs");
      const uint64_t data = languages.front().target;
      blobs.push_back({EntryName(tree, named), image.AtRva(tree.U32(data), tree.U32(data + 4))});
    }
  }
  return blobs;
}

}  // namespace tarnwick::pack
