#include "payload/load_payload_item.h"

#include "payload/payload_errors.h"
#include "payload/payload_key.h"
#include "payload/record_reader.h"
#include "platform/platform.h"
#include "util/format.h"

namespace tarnwick {

Bytes LoadPayloadItem(const Bytes& name, Bytes& fileName, int32_t& fileDate) {
  fileName.clear();
  // Rebuilt before the lookup on every call, so that no earlier draw from the generator can
  // change the key.
  Bytes key;
  BuildPayloadKey(key);
  const auto stored = Sys().FindProgramResource(name);
  if (!stored) throw EResNotFound(Format("Resource %s not found", {name}));
  return ReadPayloadRecord(key, *stored, fileName, fileDate);
}

}  // namespace tarnwick
