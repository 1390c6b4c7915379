#pragma once
// The payload cipher: every byte shifted by the key byte at its position, the key repeated
// from the record's first byte on.
#include <cstdint>

#include "util/bytes.h"

namespace tarnwick {

// (value + shift + 256) mod 256, for a shift from -255 to 255.
uint8_t ShiftByte(uint8_t value, int32_t shift);

// Deciphers the first `count` bytes of `buffer` in place: byte i minus key byte (i mod K),
// wrapping below zero. An empty key or a count of 0 changes nothing.
void SubtractKey(const Bytes& key, unsigned char* buffer, int32_t count);

// The packer's inverse of SubtractKey: byte i plus key byte (i mod K).
void AddKey(const Bytes& key, unsigned char* buffer, int32_t count);

}  // namespace tarnwick
