// The record header layout and the rule for stored file names, shared by the reader and the
// packing tool.
#include <gtest/gtest.h>

#include "payload/record_format.h"

namespace tarnwick {
namespace {

TEST(RecordHeader, IsLittleEndianWithTheNameAtOffset17) {
  RecordHeader header;
  header.word0 = 0x04030201;
  header.size = 0x14131211;
  header.word8 = 0x24232221;
  header.date = static_cast<int32_t>(0xB4B3B2B1);
  header.nameLength = 3;
  Bytes("abc").copy(header.nameBytes.data(), 3);
  unsigned char bytes[kRecordHeaderSize];
  EncodeRecordHeader(header, bytes);

  const unsigned char expected[17] = {0x01, 0x02, 0x03, 0x04, 0x11, 0x12, 0x13, 0x14, 0x21,
                                      0x22, 0x23, 0x24, 0xB1, 0xB2, 0xB3, 0xB4, 3};
  EXPECT_EQ(Bytes(reinterpret_cast<char*>(bytes), 17), Bytes(reinterpret_cast<const char*>(expected), 17));
  EXPECT_EQ(Bytes(reinterpret_cast<char*>(bytes) + 17, 3), "abc");

  const RecordHeader back = DecodeRecordHeader(bytes);
  EXPECT_EQ(back.size, 0x14131211);
  EXPECT_EQ(back.date, static_cast<int32_t>(0xB4B3B2B1)) << "a date with the top bit set stays negative";
  EXPECT_EQ(back.word0, 0x04030201u);
  EXPECT_EQ(back.word8, 0x24232221u);
  EXPECT_EQ(back.nameLength, 3);
}

TEST(FileNameProblem, AcceptsPlainFileNames) {
  for (const char* name : {"quenw.exe", "a", "READ ME.TXT", ".profile", "a..b", " lead.txt",
                           "CON1.txt", "COM0", "COM10", "console.txt", "nul_", "x\xE9.txt",
                           "abcdefghijklmnopqrstuvwxyz.txt"}) {
    EXPECT_EQ(FileNameProblem(name), std::nullopt) << name;
  }
}

TEST(FileNameProblem, RefusesWhatIsNoPlainFileName) {
  for (const Bytes& name :
       {Bytes(""), Bytes("abcdefghijklmnopqrstuvwxyz.txt1"), Bytes("..\\x.exe"), Bytes("a\\b"),
        Bytes("a/b"), Bytes("c:x"), Bytes("x:"), Bytes("tab\there"), Bytes("nul\0x", 5),
        Bytes("del\x7F"), Bytes("."), Bytes(".."), Bytes("readme."), Bytes("readme "),
        Bytes("CON"), Bytes("con"), Bytes("Prn.txt"), Bytes("aux.tar.gz"), Bytes("NUL"),
        Bytes("COM1"), Bytes("com9.log"), Bytes("LPT1"), Bytes("lpt9.txt"), Bytes("con .txt"),
        Bytes("COM\xB9"), Bytes("CONIN$"), Bytes("conout$.txt")}) {
    EXPECT_NE(FileNameProblem(name), std::nullopt) << '"' << name << '"';
  }
}

}  // namespace
}  // namespace tarnwick
