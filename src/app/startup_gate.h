#pragma once
// The start-up gate: before any window exists, make sure this machine can run Tarnwick once
// it is installed. 64-bit Windows runs DOS programs only inside DOSBox, so there the gate
// looks for a DOSBox installation; "/t" on the command line shows the refusal anywhere.
#include "util/bytes.h"

namespace tarnwick {

extern const char kDosBoxDownloadPage[];
extern const char kWarningCaption[];
extern const char kWarningText[];

// True when the installer window may start. Otherwise the warning box has been shown (and
// the download page opened when the user chose OK).
bool RunStartupGate();

// Looks for a folder whose name contains "dosbox" in the Program Files folder a 32-bit
// process sees. Only the first such entry is tried. Writes the candidate dosbox.exe path,
// in lower case, to `dosBoxPath` (emptied first); true when that file exists.
bool FindDosBox(Bytes& dosBoxPath);

}  // namespace tarnwick
