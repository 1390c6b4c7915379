#include "payload/record_writer.h"

#include <limits>

#include <zlib.h>

#include "payload/cipher.h"
#include "payload/payload_key.h"
#include "payload/record_format.h"
#include "util/exceptions.h"

namespace tarnwick {
namespace {

Bytes Compress(const Bytes& content, int level) {
  uLongf capacity = compressBound(static_cast<uLong>(content.size()));
  Bytes stream(capacity, '\0');
  const int code = compress2(reinterpret_cast<Bytef*>(stream.data()), &capacity,
                             reinterpret_cast<const Bytef*>(content.data()),
                             static_cast<uLong>(content.size()), level);
  if (code != Z_OK) throw Exception("zlib could not compress the file");
  stream.resize(capacity);
  return stream;
}

}  // namespace

Bytes PackRecord(const Bytes& content, const Bytes& storedName, int32_t dosDateTime, int level) {
  if (auto problem = FileNameProblem(storedName))
    throw Exception("stored name \"" + storedName + "\" " + *problem);
  const size_t limit = size_t(std::numeric_limits<int32_t>::max());
  if (content.size() > limit) throw Exception("file is too large for a payload record");
  const Bytes body = Compress(content, level);
  if (body.size() > limit - kRecordHeaderSize)
    throw Exception("file is too large for a payload record");

  RecordHeader header;
  header.word0 = kRecordMark;
  header.size = static_cast<int32_t>(content.size());
  header.date = dosDateTime;
  header.nameLength = static_cast<uint8_t>(storedName.size());
  storedName.copy(header.nameBytes.data(), storedName.size());

  Bytes record(kRecordHeaderSize, '\0');
  EncodeRecordHeader(header, reinterpret_cast<unsigned char*>(record.data()));
  record += body;

  Bytes key;
  BuildPayloadKey(key);
  AddKey(key, reinterpret_cast<unsigned char*>(record.data()), static_cast<int32_t>(record.size()));
  return record;
}

}  // namespace tarnwick
