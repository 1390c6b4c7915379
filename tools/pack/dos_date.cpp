#include "dos_date.h"

#include <cstdio>

namespace tarnwick::pack {
namespace {

struct Fields {
  int year, month, day, hour, minute, second;
};

Fields Unpack(int32_t packed) {
  const auto value = static_cast<uint32_t>(packed);
  const uint32_t date = value >> 16, time = value & 0xFFFF;
  return {int(date >> 9) + 1980, int(date >> 5 & 15), int(date & 31),
          int(time >> 11),       int(time >> 5 & 63), int(time & 31) * 2};
}

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysIn(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

}  // namespace

std::optional<int32_t> ParseDosDateTime(const Bytes& date, const Bytes& time) {
  Fields f{};
  char end = 0;
  if (std::sscanf(date.c_str(), "%4d-%2d-%2d%c", &f.year, &f.month, &f.day, &end) != 3 ||
      date.size() != 10)
    return std::nullopt;
  if (std::sscanf(time.c_str(), "%2d:%2d:%2d%c", &f.hour, &f.minute, &f.second, &end) != 3 ||
      time.size() != 8)
    return std::nullopt;
  if (f.year < 1980 || f.year > 2107 || f.month < 1 || f.month > 12 || f.day < 1 ||
      f.day > DaysIn(f.year, f.month) || f.hour > 23 || f.minute > 59 || f.second > 58 ||
      f.hour < 0 || f.minute < 0 || f.second < 0 || f.second % 2 != 0)
    return std::nullopt;
  const uint32_t packedDate = uint32_t(f.year - 1980) << 9 | uint32_t(f.month) << 5 | uint32_t(f.day);
  const uint32_t packedTime = uint32_t(f.hour) << 11 | uint32_t(f.minute) << 5 | uint32_t(f.second / 2);
  return static_cast<int32_t>(packedDate << 16 | packedTime);
}

Bytes FormatDosDateTime(int32_t packed) {
  const Fields f = Unpack(packed);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", f.year, f.month, f.day,
                f.hour, f.minute, f.second);
  return text;
}

std::time_t DosDateTimeToTime(int32_t packed) {
  const Fields f = Unpack(packed);
  std::tm local{};
  local.tm_year = f.year - 1900;
  local.tm_mon = f.month - 1;
  local.tm_mday = f.day;
  local.tm_hour = f.hour;
  local.tm_min = f.minute;
  local.tm_sec = f.second;
  local.tm_isdst = -1;
  return std::mktime(&local);
}

}  // namespace tarnwick::pack
