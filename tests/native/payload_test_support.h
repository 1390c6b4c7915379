#pragma once
// Building payload records and zlib streams for the payload tests, including records the
// packer would never write.
#include <algorithm>
#include <cstdint>
#include <string>

#include <zlib.h>

#include "payload/cipher.h"
#include "payload/payload_key.h"
#include "payload/record_format.h"
#include "util/bytes.h"

namespace tarnwick::test {

// Bytes that compress to about half their size, the same on every run.
inline Bytes MixedBytes(size_t count, uint32_t seed = 1) {
  Bytes out(count, '\0');
  uint32_t state = seed;
  for (size_t i = 0; i < count; ++i) {
    state = state * 1103515245u + 12345u;
    out[i] = static_cast<char>((state >> 16) % 23 + 'a');
  }
  return out;
}

// A zlib stream of `content`; with a dictionary the stream asks for it (FDICT set).
inline Bytes ZlibStream(const Bytes& content, const Bytes& dictionary = "") {
  z_stream stream{};
  deflateInit(&stream, 6);
  if (!dictionary.empty())
    deflateSetDictionary(&stream, reinterpret_cast<const Bytef*>(dictionary.data()),
                         static_cast<uInt>(dictionary.size()));
  Bytes out(deflateBound(&stream, static_cast<uLong>(content.size())) + 16, '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
  stream.avail_in = static_cast<uInt>(content.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

// The deciphered header with the packer's defaults for `content` stored as `name`.
inline RecordHeader HeaderFor(const Bytes& content, const Bytes& name, int32_t date = 0x31613A2C) {
  RecordHeader header;
  header.word0 = kRecordMark;
  header.size = static_cast<int32_t>(content.size());
  header.date = date;
  header.nameLength = static_cast<uint8_t>(name.size());
  name.copy(header.nameBytes.data(), std::min(name.size(), kRecordNameCapacity));
  return header;
}

// Header plus body, enciphered with the payload key, whatever the fields say.
inline Bytes Encipher(Bytes plain) {
  Bytes key;
  BuildPayloadKey(key);
  AddKey(key, reinterpret_cast<unsigned char*>(plain.data()), static_cast<int32_t>(plain.size()));
  return plain;
}

inline Bytes RawRecord(const RecordHeader& header, const Bytes& body) {
  Bytes plain(kRecordHeaderSize, '\0');
  EncodeRecordHeader(header, reinterpret_cast<unsigned char*>(plain.data()));
  return Encipher(plain + body);
}

}  // namespace tarnwick::test
