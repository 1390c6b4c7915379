#include "platform/platform.h"

#include "util/exceptions.h"

namespace tarnwick {
namespace {
Platform* current = nullptr;
}

Platform& Sys() {
  if (!current) throw Exception("No platform installed");
  return *current;
}

ScopedPlatform::ScopedPlatform(Platform& platform) : previous_(current) { current = &platform; }
ScopedPlatform::~ScopedPlatform() { current = previous_; }

}  // namespace tarnwick
