// The sample payload as the native build packed it: every catalogue item loads through
// LoadPayloadItem and gives back its source file, its stored name and its date.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "fake/fake_platform.h"
#include "payload/load_payload_item.h"
#include "payload/payload_catalogue.h"
#include "util/paths.h"

namespace tarnwick {
namespace {

const Bytes kPayloadDir = Bytes(TARNWICK_BINARY_DIR) + "/payload/";

Bytes ReadFile(const Bytes& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << "cannot read " << path << " (is the tarnwick_payload target built?)";
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

struct ManifestLine {
  Bytes item, source, storedName;
  int32_t dosDate = 0;
};

// The packed DOS date-time of "YYYY-MM-DD" "HH:MM:SS".
int32_t DosDate(const Bytes& date, const Bytes& time) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
  std::sscanf(date.c_str(), "%d-%d-%d", &y, &mo, &d);
  std::sscanf(time.c_str(), "%d:%d:%d", &h, &mi, &s);
  return static_cast<int32_t>(uint32_t((y - 1980) << 9 | mo << 5 | d) << 16 | uint32_t(h << 11 | mi << 5 | s / 2));
}

std::vector<ManifestLine> Manifest() {
  std::istringstream text(ReadFile(kPayloadDir + "manifest.txt"));
  std::vector<ManifestLine> lines;
  for (Bytes line; std::getline(text, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    ManifestLine m;
    Bytes date, time;
    fields >> m.item >> m.source >> m.storedName >> date >> time;
    m.dosDate = DosDate(date, time);
    lines.push_back(m);
  }
  return lines;
}

TEST(SamplePayload, ListsTheNineCatalogueItemsInOrder) {
  Bytes names;
  for (const ManifestLine& m : Manifest()) names += (names.empty() ? "" : ",") + m.item;
  EXPECT_EQ(names, kPayloadCatalogue);
}

TEST(SamplePayload, EveryItemLoadsAsItsSourceFile) {
  test::FakePlatform fake;
  ScopedPlatform installed(fake);
  for (const ManifestLine& m : Manifest())
    fake.resources[UpperCase(m.item)] = ReadFile(kPayloadDir + "records/" + UpperCase(m.item) + ".bin");

  for (const ManifestLine& m : Manifest()) {
    tInstItem item;
    item.Content = LoadPayloadItem(m.item, item.FileName, item.FileDate);
    EXPECT_EQ(item.Content, ReadFile(kPayloadDir + m.source)) << m.item;
    EXPECT_EQ(item.FileName, m.storedName) << m.item;
    EXPECT_EQ(item.FileDate, m.dosDate) << m.item;
    const size_t stored = fake.resources[UpperCase(m.item)].size();
    EXPECT_GE(stored, 100u) << m.item;
    EXPECT_LE(stored, 160u * 1024) << m.item;
  }
}

}  // namespace
}  // namespace tarnwick
