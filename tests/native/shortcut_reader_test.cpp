// The tests' own Shell Link reader, on links built byte by byte here: what the Windows-side
// and end-to-end tests conclude about a shortcut is only as good as this reader.
#include <gtest/gtest.h>

#include "common/shell_link_reader.h"

namespace tarnwick::test {
namespace {

void Put16(std::string& out, uint16_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8);
}
void Put32(std::string& out, uint32_t v) {
  Put16(out, static_cast<uint16_t>(v & 0xFFFF));
  Put16(out, static_cast<uint16_t>(v >> 16));
}
void PutString(std::string& out, const std::string& text, bool unicode) {
  Put16(out, static_cast<uint16_t>(text.size()));
  for (char c : text) {
    if (unicode) Put16(out, static_cast<unsigned char>(c));
    else out += c;
  }
}

std::string Header(uint32_t flags, int32_t iconIndex, uint32_t show, uint16_t hotKey) {
  std::string out;
  Put32(out, 0x4C);
  out += std::string("\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46", 16);
  Put32(out, flags);
  out += std::string(32, '\0');  // attributes, three file times, file size
  Put32(out, static_cast<uint32_t>(iconIndex));
  Put32(out, show);
  Put16(out, hotKey);
  out += std::string(10, '\0');
  return out;
}

// LinkInfo with a local base path and a common path suffix.
std::string LinkInfo(const std::string& base, const std::string& suffix) {
  const uint32_t headerSize = 28;
  std::string volume;
  Put32(volume, 16);  // VolumeID: size, drive type, serial, label offset, empty label
  Put32(volume, 3);
  Put32(volume, 0);
  Put32(volume, 16);
  volume += std::string(4, '\0');
  const uint32_t volumeOffset = headerSize;
  const uint32_t baseOffset = volumeOffset + static_cast<uint32_t>(volume.size());
  const uint32_t suffixOffset = baseOffset + static_cast<uint32_t>(base.size()) + 1;
  const uint32_t size = suffixOffset + static_cast<uint32_t>(suffix.size()) + 1;
  std::string out;
  Put32(out, size);
  Put32(out, headerSize);
  Put32(out, 1);  // VolumeIDAndLocalBasePath
  Put32(out, volumeOffset);
  Put32(out, baseOffset);
  Put32(out, 0);  // no network part
  Put32(out, suffixOffset);
  out += volume + base + '\0' + suffix + '\0';
  return out;
}

std::string FullLink(bool unicode) {
  std::string link = Header(0x02 | 0x04 | 0x10 | 0x20 | 0x40 | (unicode ? 0x80 : 0), -3, 1, 0x0650);
  link += LinkInfo("C:\\DOSBox-0.74\\", "dosbox.exe");
  PutString(link, "Tarnwick", unicode);
  PutString(link, "C:\\DOSBox-0.74\\", unicode);
  PutString(link, "-noconsole -conf \"c:\\my games\\dosbox.conf\"", unicode);
  PutString(link, "c:\\my games\\tkmark.ico", unicode);
  return link;
}

TEST(ShellLinkReader, ReadsEveryFieldInBothStringForms) {
  for (bool unicode : {false, true}) {
    std::string error;
    auto link = ParseShellLink(FullLink(unicode), &error);
    ASSERT_TRUE(link) << error;
    EXPECT_EQ(link->target, "C:\\DOSBox-0.74\\dosbox.exe");
    EXPECT_EQ(link->description, "Tarnwick");
    EXPECT_EQ(link->workingDirectory, "C:\\DOSBox-0.74\\");
    EXPECT_EQ(link->arguments, "-noconsole -conf \"c:\\my games\\dosbox.conf\"");
    EXPECT_EQ(link->iconLocation, "c:\\my games\\tkmark.ico");
    EXPECT_EQ(link->iconIndex, -3);
    EXPECT_EQ(link->showCommand, 1u);
    EXPECT_EQ(link->hotKey, 0x0650);
  }
}

TEST(ShellLinkReader, AbsentStringsStayAbsent) {
  std::string bytes = Header(0x04, 0, 1, 0);
  PutString(bytes, "only a description", false);
  auto link = ParseShellLink(bytes);
  ASSERT_TRUE(link);
  EXPECT_TRUE(link->hasDescription);
  EXPECT_FALSE(link->hasArguments);
  EXPECT_FALSE(link->hasWorkingDirectory);
  EXPECT_FALSE(link->hasIconLocation);
}

TEST(ShellLinkReader, SpellsTheTargetFromTheIdListWithoutLinkInfo) {
  std::string items;
  auto item = [&items](uint8_t type, const std::string& body) {
    Put16(items, static_cast<uint16_t>(body.size() + 3));
    items += static_cast<char>(type);
    items += body;
  };
  item(0x1F, std::string(17, '\x01'));                    // My Computer
  item(0x2F, std::string("C:\\") + std::string(20, '\0'));  // the drive
  item(0x31, std::string(11, '\0') + "GAMES" + '\0');      // a folder
  item(0x32, std::string(11, '\0') + "RUN.EXE" + '\0');    // a file
  Put16(items, 0);
  std::string bytes = Header(0x01, 0, 1, 0);
  Put16(bytes, static_cast<uint16_t>(items.size()));
  bytes += items;
  auto link = ParseShellLink(bytes);
  ASSERT_TRUE(link);
  EXPECT_EQ(link->target, "C:\\GAMES\\RUN.EXE");
}

TEST(ShellLinkReader, RefusesEveryTruncationAndAForeignHeader) {
  const std::string bytes = FullLink(true);
  for (size_t size = 0; size < bytes.size(); ++size) {
    EXPECT_FALSE(ParseShellLink(bytes.substr(0, size))) << size;
  }
  std::string foreign = bytes;
  foreign[4] = 0x02;
  EXPECT_FALSE(ParseShellLink(foreign));
}

}  // namespace
}  // namespace tarnwick::test
