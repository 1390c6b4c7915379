// The payload inside a real executable: every catalogue item read through the Win32
// resource lookup, in any case, and the refusal of a name that is not there.
#include <gtest/gtest.h>

#include "payload/load_payload_item.h"
#include "payload/payload_catalogue.h"
#include "payload/payload_errors.h"
#include "platform/platform_win.h"
#include "util/paths.h"

namespace tarnwick {
namespace {

TEST(PayloadResources, EveryCatalogueItemLoadsFromTheProgramsOwnImage) {
  Win32Platform platform;
  ScopedPlatform installed(platform);
  Bytes catalogue = kPayloadCatalogue;
  int items = 0;
  while (!catalogue.empty()) {
    const Bytes name = SplitFirst(catalogue, ",");
    for (const Bytes& spelling : {name, UpperCase(name), CapitalizeWords(name)}) {
      Bytes fileName;
      int32_t fileDate = 0;
      const Bytes content = LoadPayloadItem(spelling, fileName, fileDate);
      EXPECT_FALSE(content.empty()) << spelling;
      EXPECT_FALSE(fileName.empty()) << spelling;
      EXPECT_NE(fileDate, 0) << spelling;
    }
    ++items;
  }
  EXPECT_EQ(items, 9);
}

TEST(PayloadResources, AMissingItemRaisesResourceNotFound) {
  Win32Platform platform;
  ScopedPlatform installed(platform);
  Bytes fileName = "stale";
  int32_t fileDate = 0;
  try {
    LoadPayloadItem("rs_missing", fileName, fileDate);
    FAIL() << "no exception";
  } catch (const EResNotFound& e) {
    EXPECT_STREQ(e.what(), "Resource rs_missing not found");
  }
  EXPECT_TRUE(fileName.empty());
}

}  // namespace
}  // namespace tarnwick
