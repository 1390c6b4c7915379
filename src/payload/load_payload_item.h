#pragma once
// The installer's payload reader: one catalogue name in, one file out.
#include <cstdint>

#include "payload/inst_item.h"
#include "util/bytes.h"

namespace tarnwick {

// Builds the payload key afresh, looks `name` up among the RCDATA blobs of the program's own
// image (without regard to case) and reads the record. Returns the file's bytes; `fileName`
// and `fileDate` receive the stored name and date. `fileName` is emptied first.
// Raises EResNotFound ("Resource <name> not found") or EDecompressionError ("Error").
Bytes LoadPayloadItem(const Bytes& name, Bytes& fileName, int32_t& fileDate);

}  // namespace tarnwick
