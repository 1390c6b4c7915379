#pragma once
// Packed MS-DOS date-times as the manifest writes them ("2004-10-28 09:14:36") and as the
// files on this machine carry them.
#include <cstdint>
#include <ctime>
#include <optional>

#include "util/bytes.h"

namespace tarnwick::pack {

// The packed value of a date and a time, or nullopt when they cannot be stored: a year
// outside 1980-2107, a day the month does not have, or an odd second (the format keeps
// seconds in steps of two).
std::optional<int32_t> ParseDosDateTime(const Bytes& date, const Bytes& time);

// "YYYY-MM-DD HH:MM:SS", whatever the fields hold.
Bytes FormatDosDateTime(int32_t packed);

// The moment a packed value names, read as local time (as Windows sets a file's date).
std::time_t DosDateTimeToTime(int32_t packed);

}  // namespace tarnwick::pack
