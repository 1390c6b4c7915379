#pragma once
// Small text and path operations shared by the gate, the windows and the installation run.
// Positions are 1-based and 0 means "not found"; case mapping is ASCII-only; the backslash
// is the only path separator (a forward slash is an ordinary character).
#include "util/bytes.h"

namespace tarnwick {

Bytes LowerCase(Bytes text);  // only 'A'..'Z' change
Bytes UpperCase(Bytes text);  // only 'a'..'z' change

// The path ending in exactly one backslash; an empty path stays empty.
Bytes AddTrailingBackslash(const Bytes& path);
// The path with every trailing backslash removed ("c:\" gives "c:").
Bytes StripTrailingBackslashes(const Bytes& path);
// Lower-case file name without folder (backslash or drive colon) and without extension.
Bytes FileStem(const Bytes& path);
// 1-based position of the last occurrence of needle in text, 0 when there is none.
size_t LastPos(const Bytes& needle, const Bytes& text);
// Cuts the first token off a separated list. One separator character is matched as such;
// none or several are a set of characters. Exactly one separator is consumed.
Bytes SplitFirst(Bytes& list, const Bytes& separators);
// Lower-cases, then upper-cases every letter that does not follow a word character
// ('-', '1'..'9', 'A'..'Z', 'a'..'z'; '0' deliberately is not one).
Bytes CapitalizeWords(const Bytes& text);
// Left edge that centres a child of `childWidth` in a parent of `parentWidth` (may be negative).
int CenteredLeft(int parentWidth, int childWidth);
// The target's folder up to and including its last backslash or colon; empty without either.
Bytes FolderOfTarget(const Bytes& target);
// True when the path counts as absolute: a leading backslash or a drive colon in second place.
bool IsAbsolutePath(const Bytes& path);
// Does `text` contain `needle`?
bool Contains(const Bytes& text, const Bytes& needle);

}  // namespace tarnwick
