#include "common/shell_link_reader.h"

#include <fstream>
#include <sstream>

// The Shell Link layout, as far as the tests need it (all integers little-endian):
//   header, 76 bytes: size 0x4C, class id {00021401-0000-0000-C000-000000000046}, LinkFlags
//     at 20, file attributes, three file times, file size, icon index at 56, show command
//     at 60, hot key at 64 (2 bytes), 10 reserved bytes;
//   LinkTargetIDList when flag 0x01: a 2-byte size, then items of a 2-byte size each,
//     ended by a zero size;
//   LinkInfo when flag 0x02: a 4-byte size that counts itself, header fields at fixed
//     offsets, the local base path and the common path suffix as zero-ended ANSI strings;
//   StringData, each a 2-byte count of characters (UTF-16 units when flag 0x80), present
//     by flag in this order: description 0x04, relative path 0x08, working directory 0x10,
//     arguments 0x20, icon location 0x40.
namespace tarnwick::test {
namespace {

enum : uint32_t {
  kHasLinkTargetIdList = 0x01,
  kHasLinkInfo = 0x02,
  kHasName = 0x04,
  kHasRelativePath = 0x08,
  kHasWorkingDir = 0x10,
  kHasArguments = 0x20,
  kHasIconLocation = 0x40,
  kIsUnicode = 0x80,
};

const unsigned char kShellLinkClassId[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                             0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

struct Malformed {
  std::string reason;
};

class Cursor {
 public:
  explicit Cursor(const std::string& bytes) : bytes_(bytes) {}

  size_t Position() const { return pos_; }
  size_t Size() const { return bytes_.size(); }
  void Need(size_t count, const char* what) const {
    if (count > bytes_.size() || pos_ > bytes_.size() - count)
      throw Malformed{std::string("cut short in ") + what};
  }
  uint8_t Byte(size_t at) const { return static_cast<uint8_t>(bytes_[at]); }
  uint16_t U16At(size_t at) const { return static_cast<uint16_t>(uint16_t(Byte(at + 1)) << 8 | Byte(at)); }
  uint32_t U32At(size_t at) const {
    return uint32_t(Byte(at + 3)) << 24 | uint32_t(Byte(at + 2)) << 16 | uint32_t(Byte(at + 1)) << 8 |
           Byte(at);
  }
  uint16_t U16(const char* what) {
    Need(2, what);
    pos_ += 2;
    return U16At(pos_ - 2);
  }
  uint32_t U32(const char* what) {
    Need(4, what);
    pos_ += 4;
    return U32At(pos_ - 4);
  }
  void Skip(size_t count, const char* what) {
    Need(count, what);
    pos_ += count;
  }
  // A zero-ended ANSI string starting at `at` and ending before `end`.
  std::string CString(size_t at, size_t end, const char* what) const {
    if (at >= end || end > bytes_.size()) throw Malformed{std::string("bad offset of ") + what};
    size_t zero = bytes_.find('\0', at);
    if (zero == std::string::npos || zero >= end) throw Malformed{std::string("unended ") + what};
    return bytes_.substr(at, zero - at);
  }
  // Wine counts a terminating zero into the string (Windows does not); it is dropped here.
  std::string StringData(bool unicode, const char* what) {
    size_t count = U16(what);
    std::string text;
    if (!unicode) {
      Need(count, what);
      text = bytes_.substr(pos_, count);
      pos_ += count;
    } else {
      Need(count * 2, what);
      for (size_t i = 0; i < count; ++i) {
        uint16_t unit = U16At(pos_ + 2 * i);
        text += unit < 256 ? static_cast<char>(unit) : '?';
      }
      pos_ += count * 2;
    }
    while (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
  }

 private:
  const std::string& bytes_;
  size_t pos_ = 0;
};

// The path that an ID list spells, for a link without LinkInfo: the drive of a volume item
// followed by the names of the file-system items (their ANSI names, which is all the tests
// need).
std::string PathFromIdList(const Cursor& in, size_t start, size_t end) {
  std::string path;
  for (size_t at = start; at + 2 <= end;) {
    size_t size = in.U16At(at);
    if (size == 0) break;
    if (size < 3 || at + size > end) throw Malformed{"bad ID list item"};
    uint8_t type = in.Byte(at + 2);
    if ((type & 0x70) == 0x20) {  // a volume: "C:\" follows the type
      path = in.CString(at + 3, at + size, "volume name");
    } else if ((type & 0x70) == 0x30) {  // a folder or file: 14 bytes of fields, then the name
      if (!path.empty() && path.back() != '\\') path += '\\';
      path += in.CString(at + 14, at + size, "item name");
    }
    at += size;
  }
  return path;
}

ShellLinkContents Parse(const std::string& bytes) {
  Cursor in(bytes);
  ShellLinkContents link;
  if (in.U32("header") != 0x4C) throw Malformed{"header size is not 0x4C"};
  in.Need(72, "header");  // the rest of its 76 bytes
  for (size_t i = 0; i < 16; ++i)
    if (in.Byte(4 + i) != kShellLinkClassId[i]) throw Malformed{"not the shell-link class id"};
  link.flags = in.U32At(20);
  link.iconIndex = static_cast<int32_t>(in.U32At(56));
  link.showCommand = in.U32At(60);
  link.hotKey = in.U16At(64);
  in.Skip(72, "header");

  std::string idListPath;
  if (link.flags & kHasLinkTargetIdList) {
    size_t size = in.U16("ID list");
    in.Need(size, "ID list");
    idListPath = PathFromIdList(in, in.Position(), in.Position() + size);
    in.Skip(size, "ID list");
  }
  if (link.flags & kHasLinkInfo) {
    size_t start = in.Position();
    size_t size = in.U32("LinkInfo");
    if (size < 28) throw Malformed{"LinkInfo too small"};
    in.Need(size - 4, "LinkInfo");
    size_t end = start + size;
    uint32_t infoFlags = in.U32At(start + 8);
    if (infoFlags & 0x01) {  // VolumeIDAndLocalBasePath
      std::string base = in.CString(start + in.U32At(start + 16), end, "local base path");
      std::string suffix = in.CString(start + in.U32At(start + 24), end, "common path suffix");
      link.target = base + suffix;
    }
    in.Skip(size - 4, "LinkInfo");
  }
  if (link.target.empty()) link.target = idListPath;

  const bool unicode = link.flags & kIsUnicode;
  if (link.flags & kHasName) {
    link.description = in.StringData(unicode, "description");
    link.hasDescription = true;
  }
  if (link.flags & kHasRelativePath) in.StringData(unicode, "relative path");
  if (link.flags & kHasWorkingDir) {
    link.workingDirectory = in.StringData(unicode, "working directory");
    link.hasWorkingDirectory = true;
  }
  if (link.flags & kHasArguments) {
    link.arguments = in.StringData(unicode, "arguments");
    link.hasArguments = true;
  }
  if (link.flags & kHasIconLocation) {
    link.iconLocation = in.StringData(unicode, "icon location");
    link.hasIconLocation = true;
  }
  return link;
}

}  // namespace

std::optional<ShellLinkContents> ParseShellLink(const std::string& bytes, std::string* error) {
  try {
    return Parse(bytes);
  } catch (const Malformed& m) {
    if (error) *error = m.reason;
    return std::nullopt;
  }
}

std::optional<ShellLinkContents> ReadShellLinkFile(const std::string& path, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    if (error) *error = "cannot open " + path;
    return std::nullopt;
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return ParseShellLink(bytes.str(), error);
}

}  // namespace tarnwick::test
