#pragma once
// Format fills "%s" and "%d" in the order given, like the run-time's Format for the
// installer's own messages. "%%" gives one percent sign. A directive without a value,
// or a value of the wrong kind, is a programming error and raises.
#include <cstdint>
#include <initializer_list>
#include <variant>

#include "util/bytes.h"

namespace tarnwick {

using FormatArg = std::variant<Bytes, long long>;

Bytes Format(const Bytes& pattern, std::initializer_list<FormatArg> args);

// A whole number with `separator` between every group of three digits ("%.0n").
Bytes FormatThousands(uint32_t value, const Bytes& separator);

}  // namespace tarnwick
