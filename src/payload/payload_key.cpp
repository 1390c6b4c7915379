#include "payload/payload_key.h"

namespace tarnwick {

uint32_t RandomState = 0;

int32_t RandomBelow(int32_t range) {
  RandomState = RandomState * 134775813u + 1u;
  return static_cast<int32_t>((uint64_t(static_cast<uint32_t>(range)) * RandomState) >> 32);
}

void BuildPayloadKey(Bytes& key) {
  RandomState = kPayloadSeed;
  key.assign(kPayloadKeyLength, ' ');
  for (char& byte : key) byte = static_cast<char>(RandomBelow(256));
}

}  // namespace tarnwick
