#include "payload/record_format.h"

#include <cstring>

#include "util/paths.h"

namespace tarnwick {
namespace {

uint32_t ReadLe32(const unsigned char* b) {
  return uint32_t(b[3]) << 24 | uint32_t(b[2]) << 16 | uint32_t(b[1]) << 8 | uint32_t(b[0]);
}

void WriteLe32(uint32_t value, unsigned char* b) {
  for (int i = 0; i < 4; ++i) b[i] = static_cast<unsigned char>(value >> (8 * i));
}

// Windows opens a device instead of a file for these names, with any extension and with
// blanks before the extension ("con .txt"). The superscript digits of the ANSI code page
// count as digits there too.
bool IsDeviceName(const Bytes& name) {
  Bytes base = UpperCase(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" ||
      base == "CONOUT$")
    return true;
  if (base.size() != 4 || (base.compare(0, 3, "COM") != 0 && base.compare(0, 3, "LPT") != 0))
    return false;
  const unsigned char digit = static_cast<unsigned char>(base[3]);
  return (digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
}

}  // namespace

RecordHeader DecodeRecordHeader(const unsigned char* header) {
  RecordHeader result;
  result.word0 = ReadLe32(header + kRecordWord0Offset);
  result.size = static_cast<int32_t>(ReadLe32(header + kRecordSizeOffset));
  result.word8 = ReadLe32(header + kRecordWord8Offset);
  result.date = static_cast<int32_t>(ReadLe32(header + kRecordDateOffset));
  result.nameLength = header[kRecordNameLengthOffset];
  std::memcpy(result.nameBytes.data(), header + kRecordNameOffset, kRecordNameCapacity);
  return result;
}

void EncodeRecordHeader(const RecordHeader& header, unsigned char* out) {
  WriteLe32(header.word0, out + kRecordWord0Offset);
  WriteLe32(static_cast<uint32_t>(header.size), out + kRecordSizeOffset);
  WriteLe32(header.word8, out + kRecordWord8Offset);
  WriteLe32(static_cast<uint32_t>(header.date), out + kRecordDateOffset);
  out[kRecordNameLengthOffset] = header.nameLength;
  std::memcpy(out + kRecordNameOffset, header.nameBytes.data(), kRecordNameCapacity);
}

std::optional<Bytes> FileNameProblem(const Bytes& name) {
  if (name.empty()) return Bytes("is empty");
  if (name.size() > kRecordNameCapacity) return Bytes("is longer than 30 bytes");
  for (char c : name) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '\\' || c == '/' || c == ':') return Bytes("holds a folder or drive separator");
    if (u < 0x20 || u == 0x7F) return Bytes("holds a control character");
  }
  if (name == "." || name == "..") return Bytes("is a folder reference");
  if (name.back() == '.' || name.back() == ' ') return Bytes("ends in a dot or blank");
  if (IsDeviceName(name)) return Bytes("is a device name");
  return std::nullopt;
}

}  // namespace tarnwick
