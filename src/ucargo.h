#pragma once
// The installation unit: the drive check, the installation run, the DOSBox set-up and the
// DOSBox path that the start-up gate finds.
#include "util/bytes.h"

namespace tarnwick {

// Full, lower-case path of dosbox.exe; set by FindDosBox on 64-bit Windows, empty otherwise.
extern Bytes DosBoxPath;

// True when the folder's drive may take the installation; shows the drive message otherwise.
bool ValidateInstallFolder(const Bytes& folder);

// Loads every payload item, writes them into the folder with their dates under a progress
// window, then finishes in the way that fits the machine. True when everything went through.
bool InstallPayload(Bytes folder);
// True when the maker's menu program lies in the parent of the folder prefix.
bool HasMenuProgram(const Bytes& folder);

// Writes dosbox.conf beside the program and the two DOSBox-era desktop shortcuts.
void SetUpDosBox(const Bytes& folder, const Bytes& desktop);
void WriteDosBoxConf(const Bytes& programFile);

}  // namespace tarnwick
