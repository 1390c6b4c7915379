#include "util/paths.h"

namespace tarnwick {

Bytes LowerCase(Bytes text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

Bytes UpperCase(Bytes text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

Bytes AddTrailingBackslash(const Bytes& path) {
  if (path.empty()) return path;
  Bytes result = path;
  if (result.back() != '\\') result += '\\';
  while (result.size() >= 2 && result[result.size() - 2] == '\\') result.pop_back();
  return result;
}

Bytes StripTrailingBackslashes(const Bytes& path) {
  Bytes result = path;
  while (!result.empty() && result.back() == '\\') result.pop_back();
  return result;
}

size_t LastPos(const Bytes& needle, const Bytes& text) {
  if (needle.empty() || text.empty() || needle.size() > text.size()) return 0;
  for (size_t start = text.size() - needle.size() + 1; start >= 1; --start) {
    if (text.compare(start - 1, needle.size(), needle) == 0) return start;
  }
  return 0;
}

Bytes FileStem(const Bytes& path) {
  size_t cut = path.find_last_of("\\:");
  Bytes name = LowerCase(cut == Bytes::npos ? path : path.substr(cut + 1));
  size_t start = LastPos("\\", name);  // always 0 here: the name holds no backslash
  size_t dot = name.find('.', start);
  if (dot == Bytes::npos) return name;
  return name.substr(start, dot - start);
}

Bytes SplitFirst(Bytes& list, const Bytes& separators) {
  size_t p = Bytes::npos;  // 0-based here
  if (separators.size() == 1) {
    p = list.find(separators[0]);
  } else if (!separators.empty()) {
    p = list.find_first_of(separators);
  }
  if (p == Bytes::npos) {
    Bytes token = list;
    list.clear();
    return token;
  }
  Bytes token = list.substr(0, p);
  list.erase(0, p + 1);
  return token;
}

namespace {
bool IsWordChar(char c) {
  return c == '-' || (c >= '1' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

Bytes CapitalizeWords(const Bytes& text) {
  Bytes result = LowerCase(text);
  if (result.empty()) return result;
  result[0] = Upper(result[0]);
  for (size_t i = 1; i < result.size(); ++i) {
    // Look at the original neighbour: upper-casing changes no word character into a non-word one.
    if (!IsWordChar(result[i - 1])) result[i] = Upper(result[i]);
  }
  return result;
}

int CenteredLeft(int parentWidth, int childWidth) {
  return (parentWidth - childWidth) / 2;  // C++ division truncates toward zero, as wanted
}

Bytes FolderOfTarget(const Bytes& target) {
  size_t cut = target.find_last_of("\\:");
  return cut == Bytes::npos ? Bytes() : target.substr(0, cut + 1);
}

bool IsAbsolutePath(const Bytes& path) {
  return (!path.empty() && path[0] == '\\') || (path.size() >= 2 && path[1] == ':');
}

bool Contains(const Bytes& text, const Bytes& needle) { return text.find(needle) != Bytes::npos; }

}  // namespace tarnwick
