// The payload key, the generator behind it and the cipher.
#include <gtest/gtest.h>

#include <vector>

#include "payload/cipher.h"
#include "payload/payload_key.h"

namespace tarnwick {
namespace {

struct DrawCase {
  uint32_t state;
  int32_t range;
  uint32_t nextState;
  int32_t result;
};

class RandomBelowTest : public testing::TestWithParam<DrawCase> {};

TEST_P(RandomBelowTest, StepsTheStateAndScalesItIntoTheRange) {
  const DrawCase& c = GetParam();
  RandomState = c.state;
  EXPECT_EQ(RandomBelow(c.range), c.result);
  EXPECT_EQ(RandomState, c.nextState);
}

INSTANTIATE_TEST_SUITE_P(
    Draws, RandomBelowTest,
    testing::Values(DrawCase{0, 256, 0x00000001, 0},             // the increment alone
                    DrawCase{1, 256, 0x08088406, 8},             // range 256: the top byte
                    DrawCase{0xFFFFFFFF, 256, 0xF7F77BFC, 247},  // wraps modulo 2^32
                    DrawCase{0x12345678, 1, 0xCB5B9059, 0},
                    DrawCase{0x12345678, 10, 0xCB5B9059, 7},
                    DrawCase{0x12345678, 0x7FFFFFFF, 0xCB5B9059, 1705887787}));

TEST(BuildPayloadKey, DrawsFiftyTopBytesFromTheSeededGeneratorWhateverCameBefore) {
  RandomState = 0xDEADBEEF;
  Bytes key = "left over";
  BuildPayloadKey(key);

  ASSERT_EQ(key.size(), kPayloadKeyLength);
  uint32_t state = kPayloadSeed;
  for (size_t j = 0; j < kPayloadKeyLength; ++j) {
    state = state * 134775813u + 1u;
    EXPECT_EQ(static_cast<unsigned char>(key[j]), state >> 24) << "key byte " << j;
  }
  EXPECT_EQ(RandomState, state) << "the state after the 50th draw";
}

TEST(ShiftByte, AddsTheShiftModulo256) {
  struct Case {
    uint8_t value;
    int32_t shift;
    uint8_t result;
  };
  for (const Case& c : {Case{0, -1, 0xFF}, Case{255, 1, 0}, Case{10, -255, 11}, Case{200, 255, 199},
                        Case{0x30, -0x30, 0}, Case{7, 0, 7}}) {
    EXPECT_EQ(ShiftByte(c.value, c.shift), c.result) << int(c.value) << " shifted by " << c.shift;
  }
}

// A key whose bytes all differ, so that a result names the key position that made it.
Bytes DistinctKey() {
  Bytes key(kPayloadKeyLength, '\0');
  for (size_t i = 0; i < key.size(); ++i) key[i] = static_cast<char>(i + 1);
  return key;
}

TEST(SubtractKey, RestartsTheKeyEveryFiftyBytes) {
  std::vector<unsigned char> buffer(101, 0);
  SubtractKey(DistinctKey(), buffer.data(), static_cast<int32_t>(buffer.size()));
  struct Case {
    size_t offset;
    size_t keyByte;
  };
  for (const Case& c : {Case{0, 0}, Case{49, 49}, Case{50, 0}, Case{99, 49}, Case{100, 0}}) {
    EXPECT_EQ(buffer[c.offset], static_cast<unsigned char>(0 - (c.keyByte + 1)))
        << "offset " << c.offset << " should use key byte " << c.keyByte;
  }
}

TEST(SubtractKey, WrapsBelowZero) {
  unsigned char stored[] = {0x00, 0x05, 0x80};
  SubtractKey(Bytes("\x01\x06\xFF", 3), stored, 3);
  EXPECT_EQ(stored[0], 0xFF);
  EXPECT_EQ(stored[1], 0xFF);
  EXPECT_EQ(stored[2], 0x81);
}

TEST(SubtractKey, LeavesTheBufferAloneWithoutKeyOrCount) {
  unsigned char buffer[] = {1, 2, 3};
  SubtractKey("", buffer, 3);
  SubtractKey(DistinctKey(), buffer, 0);
  EXPECT_EQ(buffer[0], 1);
  EXPECT_EQ(buffer[1], 2);
  EXPECT_EQ(buffer[2], 3);
}

TEST(SubtractKey, OnlyTouchesTheFirstCountBytes) {
  std::vector<unsigned char> buffer(60, 0x55);
  SubtractKey(DistinctKey(), buffer.data(), 7);
  EXPECT_EQ(buffer[6], 0x55 - 7);
  EXPECT_EQ(buffer[7], 0x55);
}

// The cipher works on long runs of the repeated key at once; every length, whole runs or
// not, must give what the byte-by-byte definition gives, and AddKey must undo it.
class CipherLengthTest : public testing::TestWithParam<int> {};

TEST_P(CipherLengthTest, MatchesTheBytewiseDefinitionAndAddKeyUndoesIt) {
  const int length = GetParam();
  Bytes key;
  BuildPayloadKey(key);
  std::vector<unsigned char> original(length);
  for (int i = 0; i < length; ++i) original[i] = static_cast<unsigned char>(i * 37 + 11);

  std::vector<unsigned char> buffer = original;
  SubtractKey(key, buffer.data(), length);
  for (int i = 0; i < length; ++i) {
    ASSERT_EQ(buffer[i], ShiftByte(original[i], -static_cast<unsigned char>(key[i % 50])))
        << "offset " << i;
  }
  AddKey(key, buffer.data(), length);
  EXPECT_EQ(buffer, original);
}

INSTANTIATE_TEST_SUITE_P(Lengths, CipherLengthTest,
                         testing::Values(1, 49, 50, 51, 799, 800, 801, 1650, 4099));

}  // namespace
}  // namespace tarnwick
