#pragma once
// Reads the RCDATA resources out of a Windows executable image (PE32 or PE32+) without
// Windows, so that the packing tool can list and extract what a built TarnwickSetup.exe
// carries. Every offset is checked against the image: a damaged file gives an error, never
// a read outside the bytes it was handed.
#include <string_view>
#include <vector>

#include "util/bytes.h"

namespace tarnwick::pack {

struct ResourceBlob {
  Bytes name;              // the resource's name as stored ("#<id>" for a numeric one)
  std::string_view data;   // a view into the image
};

// True when the bytes start like an executable ("MZ").
bool LooksLikeExecutable(std::string_view image);

// Every RCDATA resource of the image, the first language of each, in directory order.
// Raises tarnwick::Exception for an image whose headers or resource directory are damaged.
std::vector<ResourceBlob> ReadRcdataResources(std::string_view image);

}  // namespace tarnwick::pack
