// Writes the fuzz target's starting corpus: the given record files deciphered (the target
// enciphers its input itself), plus a few small records at the edges of the format.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include <zlib.h>

#include "payload/cipher.h"
#include "payload/payload_key.h"
#include "payload/record_format.h"
#include "payload/record_writer.h"

namespace {

using tarnwick::Bytes;

bool Write(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bool(out);
}

Bytes Deciphered(Bytes record) {
  Bytes key;
  tarnwick::BuildPayloadKey(key);
  tarnwick::SubtractKey(key, reinterpret_cast<unsigned char*>(record.data()), static_cast<int32_t>(record.size()));
  return record;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: payload_fuzz_seeds OUTDIR [RECORD...]\n");
    return 2;
  }
  const std::string out = argv[1];
  bool ok = true;
  for (int i = 2; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    const Bytes record{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ok &= Write(out + "/record-" + std::to_string(i - 1), Deciphered(record));
  }
  ok &= Write(out + "/empty-file", Deciphered(tarnwick::PackRecord("", "empty.txt", 0)));
  ok &= Write(out + "/one-byte", Deciphered(tarnwick::PackRecord("x", "x", 0x21000000)));
  ok &= Write(out + "/stored-block", Deciphered(tarnwick::PackRecord(Bytes(300, 'q'), "q.dat", 1, 0)));
  ok &= Write(out + "/long-name",
              Deciphered(tarnwick::PackRecord("abc", "abcdefghijklmnopqrstuvwxyz.txt", 2)));
  return ok ? 0 : 1;
}
