// InflateBuffer: one zlib stream into a heap block that grows when the estimate is short.
#include <gtest/gtest.h>

#include "payload/inflate_buffer.h"
#include "payload/payload_errors.h"
#include "payload_test_support.h"

namespace tarnwick {
namespace {

using test::MixedBytes;
using test::ZlibStream;

// Inflates through both outputs, the heap block and the byte string, which must agree:
// the same bytes, or both EDecompressionError.
Bytes Inflate(const Bytes& stream, int32_t estimate,
              int32_t maxLength = std::numeric_limits<int32_t>::max()) {
  const auto* input = reinterpret_cast<const unsigned char*>(stream.data());
  const auto length = static_cast<int32_t>(stream.size());
  bool bytesRefused = false;
  Bytes viaBytes;
  try {
    viaBytes = InflateToBytes(input, length, estimate, maxLength);
  } catch (const EDecompressionError&) {
    bytesRefused = true;
  }
  InflatedBlock out;
  try {
    out = InflateBuffer(input, length, estimate, maxLength);
  } catch (const EDecompressionError&) {
    EXPECT_TRUE(bytesRefused) << "only the heap block refused";
    throw;
  }
  EXPECT_FALSE(bytesRefused) << "only the byte string refused";
  if (!out.block) {
    EXPECT_EQ(out.length, 0) << "a null block must come with length 0";
    EXPECT_EQ(viaBytes, "");
    return Bytes();
  }
  const Bytes viaBlock(reinterpret_cast<const char*>(out.block.get()), size_t(out.length));
  EXPECT_EQ(viaBytes, viaBlock);
  return viaBlock;
}

TEST(InflateGrowthStep, RaisesTheInputLengthToAMultipleOf256) {
  struct Case {
    int32_t input;
    int64_t step;
  };
  for (const Case& c : {Case{0, 0}, Case{1, 256}, Case{256, 256}, Case{257, 512}, Case{300, 512},
                        Case{512, 512}, Case{0x7FFFFFFF, 0x80000000LL}}) {
    EXPECT_EQ(InflateGrowthStep(c.input), c.step) << "input length " << c.input;
  }
}

struct GoodCase {
  const char* name;
  size_t contentLength;
  int32_t estimate;  // -1: the exact length
};

class InflateGoodStreamTest : public testing::TestWithParam<GoodCase> {};

TEST_P(InflateGoodStreamTest, GivesExactlyTheContent) {
  const GoodCase& c = GetParam();
  const Bytes content = MixedBytes(c.contentLength);
  const int32_t estimate = c.estimate < 0 ? static_cast<int32_t>(content.size()) : c.estimate;
  EXPECT_EQ(Inflate(ZlibStream(content), estimate), content);
}

INSTANTIATE_TEST_SUITE_P(
    Estimates, InflateGoodStreamTest,
    testing::Values(GoodCase{"ExactEstimate", 70000, -1},
                    GoodCase{"NoEstimateGrowsFromTheStep", 70000, 0},
                    GoodCase{"EstimateOneByte", 5000, 1},
                    GoodCase{"EstimateTooLargeShrinks", 5000, 9000},
                    GoodCase{"EmptyContentNoEstimate", 0, 0},
                    GoodCase{"EmptyContentWithEstimate", 0, 100}),
    [](const testing::TestParamInfo<GoodCase>& info) { return info.param.name; });

TEST(InflateBuffer, GrowsFromNothingWhenAFewHundredInputBytesInflateFar) {
  // About 360 bytes of stream for 200 200 bytes of output: the block starts at 512 bytes
  // and has to grow hundreds of times.
  const Bytes content = MixedBytes(200) + Bytes(200000, 'a');
  const Bytes stream = ZlibStream(content);
  ASSERT_GT(stream.size(), 256u);
  ASSERT_LE(stream.size(), 512u);
  EXPECT_EQ(Inflate(stream, 0), content);
}

TEST(InflateBuffer, IgnoresBytesAfterTheStream) {
  const Bytes content = MixedBytes(3000);
  EXPECT_EQ(Inflate(ZlibStream(content) + "trailing garbage", 3000), content);
  EXPECT_EQ(Inflate(ZlibStream(content) + ZlibStream("second"), 0), content);
}

TEST(InflateBuffer, StopsAtTheMostBytesAllowed) {
  const Bytes content = MixedBytes(4000);
  const Bytes stream = ZlibStream(content);
  EXPECT_EQ(Inflate(stream, 4000, 4000), content);
  EXPECT_EQ(Inflate(stream, 0, 4000), content);
  for (int32_t estimate : {0, 3999, 4000})
    EXPECT_THROW(Inflate(stream, estimate, 3999), EDecompressionError) << estimate;
  EXPECT_THROW(Inflate(ZlibStream("x"), 0, 0), EDecompressionError);
  EXPECT_EQ(Inflate(ZlibStream(""), 0, 0), "");
}

struct BadCase {
  const char* name;
  Bytes stream;
  int32_t estimate;
};

Bytes WithByteChanged(Bytes bytes, size_t fromEnd) {
  bytes[bytes.size() - fromEnd] ^= 0x01;
  return bytes;
}

std::vector<BadCase> BadStreams() {
  const Bytes content = MixedBytes(4000);
  const Bytes good = ZlibStream(content);
  return {
      {"EmptyInput", "", 0},
      {"EmptyInputWithEstimate", "", 4000},
      {"CutShortInTheMiddle", good.substr(0, good.size() / 2), 4000},
      {"CutShortBeforeTheTrailer", good.substr(0, good.size() - 4), 4000},
      {"CutShortNoEstimate", good.substr(0, good.size() - 1), 0},
      {"WrongAdler32", WithByteChanged(good, 1), 4000},
      {"CorruptDeflateData", WithByteChanged(good, good.size() / 2), 4000},
      {"BadZlibHeader", "\x78\x9D" + good.substr(2), 4000},
      {"RawDeflateWithoutHeader", good.substr(2), 4000},
      {"PresetDictionary", ZlibStream(content, "a dictionary of words"), 4000},
      {"PresetDictionaryNoEstimate", ZlibStream(content, "a dictionary of words"), 0},
      {"NegativeEstimate", good, -1},
  };
}

class InflateBadStreamTest : public testing::TestWithParam<BadCase> {};

TEST_P(InflateBadStreamTest, RaisesDecompressionErrorWithTheBareMessage) {
  const BadCase& c = GetParam();
  try {
    Inflate(c.stream, c.estimate);
    FAIL() << "no exception";
  } catch (const EDecompressionError& e) {
    EXPECT_STREQ(e.what(), "Error");
  }
}

INSTANTIATE_TEST_SUITE_P(Streams, InflateBadStreamTest, testing::ValuesIn(BadStreams()),
                         [](const testing::TestParamInfo<BadCase>& info) { return info.param.name; });

}  // namespace
}  // namespace tarnwick
