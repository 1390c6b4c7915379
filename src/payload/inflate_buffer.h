#pragma once
// Inflating one zlib stream into a heap block that grows as needed.
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>

#include "util/bytes.h"

namespace tarnwick {

struct FreeHeapBlock {
  void operator()(unsigned char* block) const { std::free(block); }
};
using HeapBlock = std::unique_ptr<unsigned char, FreeHeapBlock>;

struct InflatedBlock {
  HeapBlock block;     // null when nothing was produced
  int32_t length = 0;  // bytes produced; the block is exactly this long
};

// The amount by which the output block grows each time it fills: the input length raised to
// the next multiple of 256 (0 for no input).
int64_t InflateGrowthStep(int32_t inputLength);

// Inflates the zlib stream at `input`. The block starts at `estimate` bytes (at the growth
// step when the estimate is 0), so with the right estimate zlib finishes in one call and the
// block is never moved. Raises EDecompressionError for a stream that is corrupt, ends early,
// asks for a preset dictionary or fails its Adler-32 check, that would produce more than
// `maxLength` bytes, and for negative lengths; the block is released before the exception
// leaves.
InflatedBlock InflateBuffer(const unsigned char* input, int32_t inputLength, int32_t estimate,
                            int32_t maxLength = std::numeric_limits<int32_t>::max());

// The same, growing a byte string instead of a heap block: the reader inflates an item right
// into its Content, allocated once at the size field, so 64 MiB are not copied a second time.
Bytes InflateToBytes(const unsigned char* input, int32_t inputLength, int32_t estimate,
                     int32_t maxLength = std::numeric_limits<int32_t>::max());

}  // namespace tarnwick
