#pragma once
// One loaded payload item, as the installation run keeps it until every file is written.
#include <cstdint>

#include "util/bytes.h"

namespace tarnwick {

struct tInstItem {
  Bytes Content;         // the file's bytes
  Bytes FileName;        // the stored name, exactly as packed (ANSI, no case change)
  int32_t FileDate = 0;  // packed MS-DOS date-time, local time: date high word, time low word
};

}  // namespace tarnwick
