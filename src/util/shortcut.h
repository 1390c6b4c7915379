#pragma once
// The installer's one way of making a desktop shortcut (.lnk).
#include <cstdint>

#include "util/bytes.h"

namespace tarnwick {

// Writes the shortcut file `linkFile`: it starts `target` with `arguments` in the target's
// own folder, shows `description` as its tool tip and the icon `iconIndex` of `iconFile`,
// opens a normal window, and answers `hotKey` (virtual key in the low byte, HOTKEYF_*
// modifiers in the high byte) unless that is 0. An existing file is replaced. Failures of the
// individual fields go unreported; a shell-link object that cannot be created raises EOSError.
void CreateShortcut(const Bytes& linkFile, const Bytes& target, const Bytes& arguments,
                    const Bytes& description, const Bytes& iconFile, int32_t iconIndex,
                    uint16_t hotKey);

}  // namespace tarnwick
