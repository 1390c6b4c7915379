#pragma once
// The three things the packing tool does. Each returns the process exit code and reports
// every problem as one line on standard error.
#include <vector>

#include "util/bytes.h"

namespace tarnwick::pack {

int Pack(const Bytes& manifestPath, const Bytes& outFolder);
int List(const std::vector<Bytes>& files);
int Extract(const Bytes& folder, const std::vector<Bytes>& files);

// "tarnwick-pack: <text>" on standard error.
void Complain(const Bytes& text);

}  // namespace tarnwick::pack
