#pragma once
// The packing side of the record format: what the build step stores for one file. The
// installer never calls it (it contains no writer); the packing tool and the tests do.
#include <cstdint>

#include "util/bytes.h"

namespace tarnwick {

// The fixed compression level of the sample payload; the records must come out the same in
// every build.
inline constexpr int kPackLevel = 9;

// One enciphered record of `content` under `storedName` and `dosDateTime`. Raises
// tarnwick::Exception naming the problem when the stored name is not a plain file name or
// the content is too long for the size field.
Bytes PackRecord(const Bytes& content, const Bytes& storedName, int32_t dosDateTime,
                 int level = kPackLevel);

}  // namespace tarnwick
