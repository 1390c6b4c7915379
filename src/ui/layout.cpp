#include "ui/layout.h"

#include <cctype>
#include <cstdlib>

#include "util/exceptions.h"
#include "util/paths.h"

namespace tarnwick {
namespace {

// The form library's colour names. A constant table, not a function's static map: that
// would need an initialisation guard, and with it the threads library.
struct NamedColour {
  const char* name;
  Colour colour;
};
constexpr NamedColour kColourNames[] = {
    {"black", 0x000000}, {"maroon", 0x800000}, {"green", 0x008000},  {"olive", 0x808000},
    {"navy", 0x000080},  {"purple", 0x800080}, {"teal", 0x008080},   {"gray", 0x808080},
    {"silver", 0xC0C0C0}, {"red", 0xFF0000},   {"lime", 0x00FF00},   {"yellow", 0xFFFF00},
    {"blue", 0x0000FF},  {"fuchsia", 0xFF00FF}, {"aqua", 0x00FFFF}, {"white", 0xFFFFFF}};

[[noreturn]] void Fail(int line, const std::string& why) {
  throw Exception("Layout line " + std::to_string(line) + ": " + why);
}

int HexDigit(char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; }

std::vector<int> ParseInts(const std::string& text) {
  std::vector<int> values;
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    std::string part = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    char* end = nullptr;
    long value = std::strtol(part.c_str(), &end, 10);
    if (part.empty() || *end != '\0') return {};
    values.push_back(static_cast<int>(value));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return values;
}

// Reads one property value starting at text[pos]; advances pos past it.
std::string ReadValue(const std::string& text, size_t& pos, int line) {
  std::string value;
  if (pos < text.size() && text[pos] == '"') {
    ++pos;
    while (true) {
      if (pos >= text.size()) Fail(line, "unterminated text");
      char c = text[pos++];
      if (c == '"') break;
      if (c == '\\') {
        if (pos >= text.size()) Fail(line, "unterminated text");
        char escaped = text[pos++];
        if (escaped == 'x') {
          // \xHH: one byte of the ANSI code page, for the few texts beyond ASCII.
          if (pos + 2 > text.size() || !std::isxdigit(static_cast<unsigned char>(text[pos])) ||
              !std::isxdigit(static_cast<unsigned char>(text[pos + 1])))
            Fail(line, "\\x needs two hex digits");
          value += static_cast<char>(HexDigit(text[pos]) << 4 | HexDigit(text[pos + 1]));
          pos += 2;
          continue;
        }
        value += escaped == 'n' ? '\n' : escaped;
      } else {
        value += c;
      }
    }
    return value;
  }
  while (pos < text.size() && text[pos] != ' ') value += text[pos++];
  return value;
}

ControlSpec ParseLine(const std::string& text, int line) {
  ControlSpec entry;
  entry.line = line;
  size_t colon = text.find(':');
  if (colon == std::string::npos || colon == 0) Fail(line, "expected 'name: kind'");
  entry.name = text.substr(0, colon);
  size_t pos = colon + 1;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  while (pos < text.size() && text[pos] != ' ') entry.kind += text[pos++];
  if (entry.kind.empty()) Fail(line, "missing kind of " + entry.name);
  while (pos < text.size()) {
    while (pos < text.size() && text[pos] == ' ') ++pos;
    if (pos >= text.size()) break;
    size_t eq = text.find('=', pos);
    if (eq == std::string::npos) Fail(line, "expected key=value");
    std::string key = text.substr(pos, eq - pos);
    if (key.empty() || key.find(' ') != std::string::npos) Fail(line, "bad property name");
    pos = eq + 1;
    entry.props[key] = ReadValue(text, pos, line);
  }
  return entry;
}

}  // namespace

std::string ControlSpec::Get(const std::string& key, const std::string& fallback) const {
  auto it = props.find(key);
  return it == props.end() ? fallback : it->second;
}

int ControlSpec::GetInt(const std::string& key, int fallback) const {
  auto values = ParseInts(Get(key));
  return values.size() == 1 ? values[0] : fallback;
}

Rect ControlSpec::GetBounds() const {
  if (auto b = ParseInts(Get("bounds")); b.size() == 4) return Rect{b[0], b[1], b[2], b[3]};
  if (auto a = ParseInts(Get("at")); a.size() == 2) return Rect{a[0], a[1], 0, 0};
  if (auto c = ParseInts(Get("client")); c.size() == 2) return Rect{0, 0, c[0], c[1]};
  return Rect{};
}

std::optional<Colour> ControlSpec::GetColour(const std::string& key) const {
  if (!Has(key)) return std::nullopt;
  return ParseColour(Get(key));
}

FontSpec ControlSpec::GetFont(const FontSpec& inherited) const {
  FontSpec font = inherited;
  if (!Has("font")) return font;
  std::string list = Get("font");
  std::string face = SplitFirst(list, ",");
  if (!face.empty()) font.face = face;
  font.bold = false;
  if (!list.empty()) {
    std::string height = SplitFirst(list, ",");
    font.height = std::atoi(height.c_str());
  }
  while (!list.empty()) {
    std::string part = SplitFirst(list, ",");
    if (part == "bold") {
      font.bold = true;
    } else if (auto colour = ParseColour(part)) {
      font.colour = *colour;
    }
  }
  return font;
}

const ControlSpec* ControlSpec::Find(const std::string& controlName) const {
  if (name == controlName) return this;
  for (const ControlSpec& child : children)
    if (const ControlSpec* found = child.Find(controlName)) return found;
  return nullptr;
}

std::optional<Colour> ParseColour(const std::string& text) {
  if (text.size() == 7 && text[0] == '#') {
    char* end = nullptr;
    unsigned long value = std::strtoul(text.c_str() + 1, &end, 16);
    if (*end == '\0') return static_cast<Colour>(value);
    return std::nullopt;
  }
  const std::string name = LowerCase(text);
  for (const NamedColour& named : kColourNames)
    if (name == named.name) return named.colour;
  return std::nullopt;
}

ControlSpec ParseLayout(const Bytes& text) {
  std::vector<ControlSpec*> stack;  // open controls by depth
  ControlSpec root;
  bool haveRoot = false;
  size_t start = 0;
  int line = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    std::string raw = text.substr(start, end == Bytes::npos ? Bytes::npos : end - start);
    start = end == Bytes::npos ? text.size() : end + 1;
    ++line;
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    size_t indent = raw.find_first_not_of(' ');
    if (indent == std::string::npos || raw[indent] == '#') continue;
    if (indent % 2 != 0) Fail(line, "indentation must be a multiple of two blanks");
    size_t depth = indent / 2;
    ControlSpec entry = ParseLine(raw.substr(indent), line);
    if (depth == 0) {
      if (haveRoot) Fail(line, "a layout holds one window");
      root = std::move(entry);
      haveRoot = true;
      stack.assign(1, &root);
      continue;
    }
    if (!haveRoot || depth > stack.size()) Fail(line, "control without a parent");
    stack.resize(depth);
    ControlSpec* parent = stack.back();
    parent->children.push_back(std::move(entry));
    stack.push_back(&parent->children.back());
  }
  if (!haveRoot) throw Exception("Layout is empty");
  return root;
}

}  // namespace tarnwick
