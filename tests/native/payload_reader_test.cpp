// LoadPayloadItem and the record reader behind it, on records in the in-memory machine's
// resource table.
#include <gtest/gtest.h>

#include "fake/fake_platform.h"
#include "payload/load_payload_item.h"
#include "payload/payload_catalogue.h"
#include "payload/payload_errors.h"
#include "payload/record_writer.h"
#include "payload_test_support.h"
#include "util/paths.h"

namespace tarnwick {
namespace {

using test::HeaderFor;
using test::MixedBytes;
using test::RawRecord;
using test::ZlibStream;

class PayloadReaderTest : public testing::Test {
 protected:
  // Stores a record under the upper-case name, as the build stores them.
  void Store(const Bytes& name, const Bytes& record) { fake_.resources[UpperCase(name)] = record; }

  tInstItem Load(const Bytes& name) {
    tInstItem item;
    item.FileName = "stale";
    item.Content = LoadPayloadItem(name, item.FileName, item.FileDate);
    return item;
  }

  test::FakePlatform fake_;
  ScopedPlatform installed_{fake_};
};

TEST_F(PayloadReaderTest, FindsEveryCatalogueNameWithoutRegardToCase) {
  Bytes rest = kPayloadCatalogue;
  int count = 0;
  while (!rest.empty()) {
    const Bytes name = SplitFirst(rest, ",");
    const Bytes content = "content of " + name;
    Store(name, PackRecord(content, name + ".dat", 0x31613A2C));
    const tInstItem item = Load(name);
    EXPECT_EQ(item.Content, content);
    EXPECT_EQ(item.FileName, name + ".dat");
    EXPECT_EQ(item.FileDate, 0x31613A2C);
    ++count;
  }
  EXPECT_EQ(count, 9);
  EXPECT_TRUE(fake_.resources.count("RS_WLBV4ADD"));
  EXPECT_EQ(Load("Rs_WlbV4Add").Content, "content of rs_wlbv4add");
}

TEST_F(PayloadReaderTest, MissingResourceNamesItAsPassedAndLeavesTheNameEmpty) {
  RandomState = 12345;
  Bytes fileName = "stale";
  int32_t fileDate = 77;
  try {
    LoadPayloadItem("rs_Missing", fileName, fileDate);
    FAIL() << "no exception";
  } catch (const EResNotFound& e) {
    EXPECT_STREQ(e.what(), "Resource rs_Missing not found");
  }
  EXPECT_EQ(fileName, "");
  Bytes key;
  BuildPayloadKey(key);
  const uint32_t afterKeyBuild = RandomState;
  RandomState = 0;
  EXPECT_THROW(LoadPayloadItem("rs_missing", fileName, fileDate), EResNotFound);
  EXPECT_EQ(RandomState, afterKeyBuild) << "the key is built before the lookup";
}

TEST_F(PayloadReaderTest, ReloadsIdenticallyWhateverWasDrawnInBetween) {
  Store("rs_exe", PackRecord(MixedBytes(20000), "tkrun.exe", 0x3162840C));
  const tInstItem first = Load("rs_exe");
  RandomState = 0xCAFEF00D;
  for (int i = 0; i < 7; ++i) RandomBelow(1000);
  const tInstItem second = Load("rs_exe");
  EXPECT_EQ(second.Content, first.Content);
  EXPECT_EQ(second.FileName, first.FileName);
  EXPECT_EQ(second.FileDate, first.FileDate);
  EXPECT_EQ(first.Content, MixedBytes(20000));
}

TEST_F(PayloadReaderTest, IgnoresHeaderWordsAndNameFiller) {
  const Bytes content = MixedBytes(500);
  for (uint32_t word : {0u, 0xFFFFFFFFu, 0x12345678u}) {
    RecordHeader header = HeaderFor(content, "readme.txt");
    header.word0 = word;
    header.word8 = ~word;
    for (size_t i = header.nameLength; i < kRecordNameCapacity; ++i)
      header.nameBytes[i] = static_cast<char>(word + i);
    Store("rs_readme", RawRecord(header, ZlibStream(content)));
    const tInstItem item = Load("rs_readme");
    EXPECT_EQ(item.Content, content) << std::hex << word;
    EXPECT_EQ(item.FileName, "readme.txt") << std::hex << word;
  }
}

TEST_F(PayloadReaderTest, NameOfThirtyBytesReachesTheEndOfTheHeader) {
  const Bytes name = "abcdefghijklmnopqrstuvwxyz.txt";
  ASSERT_EQ(name.size(), 30u);
  Store("rs_hlp", RawRecord(HeaderFor("x", name), ZlibStream("x")));
  EXPECT_EQ(Load("rs_hlp").FileName, name);
}

TEST_F(PayloadReaderTest, IgnoresBytesAfterTheStream) {
  const Bytes content = MixedBytes(3000);
  Store("rs_wlb1", RawRecord(HeaderFor(content, "wheel1.wlb"), ZlibStream(content) + "tail bytes"));
  EXPECT_EQ(Load("rs_wlb1").Content, content);
}

TEST_F(PayloadReaderTest, SizeZeroWithAnEmptyStreamGivesEmptyContent) {
  Store("rs_icon", RawRecord(HeaderFor("", "tkmark.ico"), ZlibStream("")));
  const tInstItem item = Load("rs_icon");
  EXPECT_EQ(item.Content, "");
  EXPECT_EQ(item.FileName, "tkmark.ico");
}

// Records that are not well-formed. Each must end in EDecompressionError "Error" without
// reading outside the record, and must never hand out an unsafe file name.
struct DamagedCase {
  const char* name;
  Bytes record;
};

std::vector<DamagedCase> DamagedRecords() {
  const Bytes content = MixedBytes(4000);
  const Bytes stream = ZlibStream(content);
  const Bytes good = RawRecord(HeaderFor(content, "wheel1.wlb"), stream);
  const auto withHeader = [&](auto change) {
    RecordHeader header = HeaderFor(content, "wheel1.wlb");
    change(header);
    return RawRecord(header, stream);
  };
  const auto named = [&](const Bytes& name) { return RawRecord(HeaderFor(content, name), stream); };
  Bytes changedBody = good;
  changedBody[kRecordHeaderSize + stream.size() / 2] ^= 0x10;

  return {
      {"Empty", ""},
      {"OneByte", good.substr(0, 1)},
      {"UnderTheHeader", good.substr(0, kRecordHeaderSize - 1)},
      {"HeaderOnly", good.substr(0, kRecordHeaderSize)},
      {"CutShort", good.substr(0, good.size() - 10)},
      {"ChangedBodyByte", changedBody},
      {"SizeOneTooMany", withHeader([](RecordHeader& h) { h.size += 1; })},
      {"SizeOneTooFew", withHeader([](RecordHeader& h) { h.size -= 1; })},
      {"NegativeSize", withHeader([](RecordHeader& h) { h.size = -1; })},
      {"SizeBeyondWhatTheBodyCanHold", withHeader([](RecordHeader& h) { h.size = 0x7FFFFFFF; })},
      {"SizeWithEmptyBody", RawRecord(HeaderFor("abc", "wheel1.wlb"), "")},
      {"NameLength31", withHeader([](RecordHeader& h) { h.nameLength = 31; })},
      {"NameLength255", withHeader([](RecordHeader& h) { h.nameLength = 255; })},
      {"NameLength0", named("")},
      {"ParentFolder", named("..\\x.exe")},
      {"DotDot", named("..")},
      {"SlashInName", named("sub/x.exe")},
      {"DriveInName", named("c:x.exe")},
      {"AbsolutePath", named("\\windows\\x.exe")},
      {"DeviceName", named("NUL.txt")},
      {"TrailingDot", named("readme.")},
      {"ControlCharacter", named(Bytes("a\0b", 3))},
  };
}

class DamagedRecordTest : public PayloadReaderTest,
                          public testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedRecordTest, IsRefusedWithoutHandingOutAnUnsafeName) {
  Store("rs_wlb1", GetParam().record);
  Bytes fileName = "stale";
  int32_t fileDate = 0;
  try {
    LoadPayloadItem("rs_wlb1", fileName, fileDate);
    FAIL() << "no exception";
  } catch (const EDecompressionError& e) {
    EXPECT_STREQ(e.what(), "Error");
  }
  EXPECT_TRUE(fileName.empty() || fileName == "wheel1.wlb") << fileName;
}

INSTANTIATE_TEST_SUITE_P(Records, DamagedRecordTest, testing::ValuesIn(DamagedRecords()),
                         [](const testing::TestParamInfo<DamagedCase>& info) { return info.param.name; });

TEST_F(PayloadReaderTest, PackedRecordsOfManySizesReadBack) {
  for (size_t length : {size_t(0), size_t(1), size_t(255), size_t(256), size_t(257), size_t(150000)}) {
    const Bytes content = MixedBytes(length, static_cast<uint32_t>(length));
    Store("rs_pr32", PackRecord(content, "pr32.exe", 0x2E3B6251));
    const tInstItem item = Load("rs_pr32");
    EXPECT_EQ(item.Content, content) << length;
    EXPECT_EQ(item.FileDate, 0x2E3B6251);
  }
}

}  // namespace
}  // namespace tarnwick
