#pragma once
namespace tarnwick {
// Makes later DLL loads come from System32 only. Must run first in the entry: a setup
// program is typically started from a Downloads folder full of other people's DLLs.
void HardenDllSearchOrder();
}
