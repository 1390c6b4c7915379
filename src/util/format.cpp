#include "util/format.h"

#include "util/exceptions.h"

namespace tarnwick {

Bytes Format(const Bytes& pattern, std::initializer_list<FormatArg> args) {
  Bytes out;
  out.reserve(pattern.size() + 32);
  auto next = args.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    char c = pattern[i];
    if (c != '%' || i + 1 == pattern.size()) {
      out += c;
      continue;
    }
    char kind = pattern[++i];
    if (kind == '%') {
      out += '%';
      continue;
    }
    if ((kind != 's' && kind != 'd') || next == args.end()) {
      throw Exception("Format '" + pattern + "' invalid or incompatible with argument");
    }
    if (kind == 's') {
      const Bytes* text = std::get_if<Bytes>(&*next);
      if (!text) throw Exception("Format '" + pattern + "' invalid or incompatible with argument");
      out += *text;
    } else {
      const long long* number = std::get_if<long long>(&*next);
      if (!number) throw Exception("Format '" + pattern + "' invalid or incompatible with argument");
      out += std::to_string(*number);
    }
    ++next;
  }
  return out;
}

Bytes FormatThousands(uint32_t value, const Bytes& separator) {
  Bytes digits = std::to_string(value);
  Bytes out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
    out += digits[i];
  }
  return out;
}

}  // namespace tarnwick
