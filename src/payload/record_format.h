#pragma once
// The stored form of one payload record, shared by the installer's reader and the packing
// tool, so that the two cannot drift apart.
//
// A record of N bytes is enciphered as a whole: stored byte i = plain byte i + key byte
// (i mod 50), modulo 256, with the 50-byte payload key. Deciphered, it reads (little-endian):
//
//   offset  width  field
//        0      4  header word 0   not read by the installer (the packer writes kRecordMark)
//        4      4  size field      signed; the exact length of the file after inflating
//        8      4  header word 8   not read by the installer (the packer writes 0)
//       12      4  date field      signed; packed MS-DOS date-time, local time
//       16      1  name length L   0..30
//       17     30  name bytes      the first L are the stored file name, the rest filler
//       47  N-47   body            one zlib stream (RFC 1950) of the file's bytes; anything
//                                  after the end of the stream is ignored
//
// A record the reader accepts has N >= 47, L <= 30, a stored name that is a plain file name
// (FileNameProblem), a size field that is not negative, and a body that inflates to exactly
// the size field's count of bytes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "util/bytes.h"

namespace tarnwick {

inline constexpr size_t kRecordWord0Offset = 0;
inline constexpr size_t kRecordSizeOffset = 4;
inline constexpr size_t kRecordWord8Offset = 8;
inline constexpr size_t kRecordDateOffset = 12;
inline constexpr size_t kRecordNameLengthOffset = 16;
inline constexpr size_t kRecordNameOffset = 17;
inline constexpr size_t kRecordNameCapacity = 30;
inline constexpr size_t kRecordHeaderSize = 47;
static_assert(kRecordNameOffset + kRecordNameCapacity == kRecordHeaderSize &&
                  kRecordHeaderSize == 47,
              "the record header is four words, a length byte and 30 name bytes, no gap");

// What the packer puts into header word 0 ("TKR1" read as bytes), so that a deciphered
// record can be recognised by eye. The reader never looks at it.
inline constexpr uint32_t kRecordMark = 0x31524B54;

// Deflate cannot expand one input byte into more than 1032 output bytes (a 258-byte match
// per two bits), so a size field above this bound can never be met by the body. The reader
// refuses such a record before it allocates anything for it.
inline constexpr int64_t kMaxDeflateRatio = 1032;

struct RecordHeader {
  uint32_t word0 = 0;
  int32_t size = 0;
  uint32_t word8 = 0;
  int32_t date = 0;
  uint8_t nameLength = 0;
  std::array<char, kRecordNameCapacity> nameBytes{};  // the name, then filler
};

// `header` must point at kRecordHeaderSize deciphered bytes.
RecordHeader DecodeRecordHeader(const unsigned char* header);
// Writes kRecordHeaderSize bytes.
void EncodeRecordHeader(const RecordHeader& header, unsigned char* out);

// Why a stored name would not be a plain file name in one folder on Windows, or nullopt
// when it is one. Refused: longer than 30 bytes, empty, a backslash, a slash, a colon, a
// control character, "." or "..", a trailing dot or blank, and the device names (CON, PRN,
// AUX, NUL, COM1-9, LPT1-9, CONIN$, CONOUT$, with or without an extension). The packer
// refuses to write such a name and the reader refuses to return one, so that joining it to
// the install folder can never point anywhere else.
std::optional<Bytes> FileNameProblem(const Bytes& name);

}  // namespace tarnwick
