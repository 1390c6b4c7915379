#pragma once
// Turns one stored payload record into the file it holds. The bytes come from wherever the
// record is kept (the installer's own resources, or a file for the packing tool); this part
// only parses the span it is given and never reads beyond it.
#include <cstdint>
#include <string_view>

#include "util/bytes.h"

namespace tarnwick {

// Deciphers a private copy of `stored` with `key`, takes the stored name and date from its
// header and inflates its body. Returns the file's bytes, exactly as many as the size field
// says. Raises EDecompressionError for a record that is not well-formed (see record_format.h);
// `fileName` is only ever set to a plain file name, and `fileDate` with it.
Bytes ReadPayloadRecord(const Bytes& key, std::string_view stored, Bytes& fileName,
                        int32_t& fileDate);

}  // namespace tarnwick
