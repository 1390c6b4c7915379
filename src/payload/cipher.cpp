#include "payload/cipher.h"

#include <cstddef>
#include <vector>

namespace tarnwick {
namespace {

// Applies the key with a per-byte operation. The key is laid out repeatedly into a run whose
// length is a multiple of both the key length and 16, so that the inner loop is a plain
// element-wise operation over equal-length arrays, which the compiler vectorises: a
// 64 MiB record costs one fast pass instead of a modulo per byte.
template <typename Op>
void ApplyKey(const Bytes& key, unsigned char* buffer, int32_t count, Op op) {
  if (key.empty() || count <= 0) return;
  const size_t total = static_cast<size_t>(count);
  const size_t run = key.size() * 16;
  std::vector<unsigned char> pattern(run);
  for (size_t i = 0; i < run; ++i) pattern[i] = static_cast<unsigned char>(key[i % key.size()]);
  size_t done = 0;
  for (; done + run <= total; done += run) {
    unsigned char* block = buffer + done;
    for (size_t i = 0; i < run; ++i) block[i] = op(block[i], pattern[i]);
  }
  for (size_t i = 0; done + i < total; ++i) buffer[done + i] = op(buffer[done + i], pattern[i]);
}

}  // namespace

uint8_t ShiftByte(uint8_t value, int32_t shift) {
  return static_cast<uint8_t>(static_cast<uint32_t>(value) + static_cast<uint32_t>(shift) + 256u);
}

void SubtractKey(const Bytes& key, unsigned char* buffer, int32_t count) {
  ApplyKey(key, buffer, count, [](unsigned char b, unsigned char k) {
    return static_cast<unsigned char>(b - k);
  });
}

void AddKey(const Bytes& key, unsigned char* buffer, int32_t count) {
  ApplyKey(key, buffer, count, [](unsigned char b, unsigned char k) {
    return static_cast<unsigned char>(b + k);
  });
}

}  // namespace tarnwick
