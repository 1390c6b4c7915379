#include "payload/record_reader.h"

#include <limits>

#include "payload/cipher.h"
#include "payload/inflate_buffer.h"
#include "payload/payload_errors.h"
#include "payload/record_format.h"

namespace tarnwick {

Bytes ReadPayloadRecord(const Bytes& key, std::string_view stored, Bytes& fileName,
                        int32_t& fileDate) {
  if (stored.size() < kRecordHeaderSize ||
      stored.size() > size_t(std::numeric_limits<int32_t>::max()))
    throw EDecompressionError();

  Bytes record(stored);
  auto* bytes = reinterpret_cast<unsigned char*>(record.data());
  const auto length = static_cast<int32_t>(record.size());
  SubtractKey(key, bytes, length);

  const RecordHeader header = DecodeRecordHeader(bytes);
  if (header.nameLength > kRecordNameCapacity) throw EDecompressionError();
  Bytes name(header.nameBytes.data(), header.nameLength);
  // A name such as "..\x" or "c:x" would be joined to the install folder and write elsewhere.
  if (FileNameProblem(name)) throw EDecompressionError();
  fileName = std::move(name);
  fileDate = header.date;

  const int32_t bodyLength = length - static_cast<int32_t>(kRecordHeaderSize);
  // A size field the body cannot possibly meet would otherwise be allocated blindly.
  if (header.size < 0 || header.size > bodyLength * kMaxDeflateRatio) throw EDecompressionError();
  // A body that would inflate beyond the size field is refused as soon as it fills the block,
  // instead of growing the block for bytes that could not be used.
  Bytes content = InflateToBytes(bytes + kRecordHeaderSize, bodyLength, header.size, header.size);
  if (content.size() != size_t(header.size)) throw EDecompressionError();
  return content;
}

}  // namespace tarnwick
