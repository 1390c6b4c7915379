// libFuzzer target: LoadPayloadItem on an arbitrary record. The input is the deciphered
// record (header and body) so that mutations land on the fields the reader checks; the
// harness enciphers it with the payload key and stores it as the program's resource.
//
// Whatever the input, the reader must either raise EDecompressionError or return exactly as
// many bytes as the size field says under a plain file name; the sanitizers catch reads and
// writes out of bounds, and the fuzzer's allocation limit catches a size field taken blindly.
#include <cstdint>
#include <cstdlib>

#include "fake/fake_platform.h"
#include "payload/cipher.h"
#include "payload/load_payload_item.h"
#include "payload/payload_errors.h"
#include "payload/payload_key.h"
#include "payload/record_format.h"

namespace {

tarnwick::test::FakePlatform& Machine() {
  static auto* fake = new tarnwick::test::FakePlatform;
  static tarnwick::ScopedPlatform installed(*fake);
  return *fake;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarnwick;
  test::FakePlatform& fake = Machine();
  fake.calls.clear();
  Bytes& stored = fake.resources["RS_FUZZ"];
  stored.assign(reinterpret_cast<const char*>(data), size);
  Bytes key;
  BuildPayloadKey(key);
  AddKey(key, reinterpret_cast<unsigned char*>(stored.data()), static_cast<int32_t>(stored.size()));

  Bytes fileName;
  int32_t fileDate = 0;
  try {
    const Bytes content = LoadPayloadItem("rs_fuzz", fileName, fileDate);
    const RecordHeader header = DecodeRecordHeader(data);  // it read at least a header
    if (content.size() != static_cast<size_t>(header.size)) std::abort();
    if (FileNameProblem(fileName) || fileDate != header.date) std::abort();
  } catch (const EDecompressionError&) {
    if (!fileName.empty() && FileNameProblem(fileName)) std::abort();
  }
  return 0;
}
