#pragma once
// Writes one shell link through the system's shell-link object (CLSID_ShellLink,
// IShellLinkA, IPersistFile). Raises EOSError "%s, ClassID: %s" when the object cannot be made.
#include "platform/platform.h"

namespace tarnwick {
void WriteShellLinkObject(const ShellLinkFields& fields);
}
