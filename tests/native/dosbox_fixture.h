#pragma once
// A fake machine holding the DOSBox template as the installer ships it.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "fake/fake_platform.h"

namespace tarnwick::test {

inline Bytes ShippedDosBoxTemplate() {
  std::ifstream in(TARNWICK_SOURCE_DIR "/resources/dosbox/dosbox-0.74.conf", std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class DosBoxFixture : public ::testing::Test {
 protected:
  DosBoxFixture() { fake.resources["RS_CONF"] = ShippedDosBoxTemplate(); }

  // The configuration as it was written into the folder, or "" when there is none.
  Bytes WrittenConf(const Bytes& folder) const {
    const FakePlatform::File* file = fake.FindFile(folder + "dosbox.conf");
    return file ? file->content : Bytes();
  }

  FakePlatform fake;
  ScopedPlatform installed{fake};
};

}  // namespace tarnwick::test
