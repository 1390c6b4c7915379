#pragma once
// The payload key: 50 bytes drawn from the run-time's linear congruential generator after
// seeding it with the payload seed. The packer and the installer must use the same seed.
#include <cstddef>
#include <cstdint>

#include "util/bytes.h"

namespace tarnwick {

inline constexpr size_t kPayloadKeyLength = 50;
inline constexpr uint32_t kPayloadSeed = 0x2A6D3C19;

// The generator's state, shared by the whole process. Only BuildPayloadKey draws from it.
extern uint32_t RandomState;

// Advances RandomState one step (x * 134775813 + 1 mod 2^32) and returns
// floor(range * RandomState / 2^32), a value in 0 .. range - 1.
int32_t RandomBelow(int32_t range);

// Seeds the generator with kPayloadSeed and draws the 50 key bytes, byte 0 first.
// Leaves RandomState at the 50th state after the seed.
void BuildPayloadKey(Bytes& key);

}  // namespace tarnwick
