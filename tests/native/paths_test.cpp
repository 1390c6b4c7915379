#include <gtest/gtest.h>

#include "util/paths.h"

namespace tarnwick {
namespace {

struct TextCase {
  const char* input;
  const char* expected;
};

TEST(AddTrailingBackslash, EndsInExactlyOneBackslash) {
  const TextCase cases[] = {
      {"", ""}, {"c:", "c:\\"}, {"c:\\", "c:\\"}, {"c:\\\\\\", "c:\\"},
      {"C:\\Games", "C:\\Games\\"}, {"\\\\", "\\"}, {"\\", "\\"},
  };
  for (const auto& c : cases) EXPECT_EQ(AddTrailingBackslash(c.input), c.expected) << c.input;
}

TEST(StripTrailingBackslashes, RemovesEveryTrailingBackslash) {
  const TextCase cases[] = {{"C:\\Games\\", "C:\\Games"}, {"c:\\", "c:"}, {"\\\\\\", ""}, {"", ""},
                            {"a\\b", "a\\b"}};
  for (const auto& c : cases) EXPECT_EQ(StripTrailingBackslashes(c.input), c.expected) << c.input;
}

TEST(FileStem, NameWithoutFolderAndExtensionInLowerCase) {
  const TextCase cases[] = {
      {"C:\\Games\\Readme.TXT", "readme"}, {"archive.tar.gz", "archive"}, {".profile", ""},
      {"Makefile", "makefile"}, {"c:notes.txt", "notes"}, {"", ""}, {"tkmark.ico", "tkmark"},
      {"C:\\a.b\\file", "file"},
  };
  for (const auto& c : cases) EXPECT_EQ(FileStem(c.input), c.expected) << c.input;
}

TEST(LastPos, PositionOfTheLastOccurrence) {
  struct Case {
    const char* needle;
    const char* text;
    size_t expected;
  };
  const Case cases[] = {{"\\", "C:\\a\\b", 5}, {"ab", "xabyab", 5}, {"q", "abc", 0}, {"", "abc", 0},
                        {"a", "", 0},          {"abcd", "abc", 0},  {"abc", "abc", 1}, {"aa", "aaa", 2}};
  for (const auto& c : cases) EXPECT_EQ(LastPos(c.needle, c.text), c.expected) << c.needle << " in " << c.text;
}

TEST(SplitFirst, CutsOneTokenAndOneSeparator) {
  struct Case {
    const char* list;
    const char* separators;
    const char* token;
    const char* rest;
  };
  const Case cases[] = {
      {"a,b,c", ",", "a", "b,c"}, {"a", ",", "a", ""},      {",a", ",", "", "a"},
      {"a, b", ", ", "a", " b"},  {"a b,c", ", ", "a", "b,c"}, {"abc", "", "abc", ""},
      {"", ",", "", ""},          {"a,", ",", "a", ""},       {"a,,b", ",", "a", ",b"},
  };
  for (const auto& c : cases) {
    Bytes list = c.list;
    EXPECT_EQ(SplitFirst(list, c.separators), c.token) << c.list;
    EXPECT_EQ(list, c.rest) << c.list;
  }
}

TEST(CapitalizeWords, UpperCasesTheFirstLetterOfEveryWord) {
  const TextCase cases[] = {
      {"hello world", "Hello World"}, {"MARY-ANN O'NEIL", "Mary-ann O'Neil"}, {"4th street", "4th Street"},
      {"10th street", "10Th Street"}, {"x_y", "X_Y"}, {"", ""}, {"tkmark", "Tkmark"},
      {"caf\xe9 au lait", "Caf\xe9 Au Lait"}, {"\xe9t\xe9", "\xe9T\xe9"},
  };
  for (const auto& c : cases) EXPECT_EQ(CapitalizeWords(c.input), c.expected) << c.input;
}

TEST(CenteredLeft, TruncatesTowardZero) {
  EXPECT_EQ(CenteredLeft(400, 101), 149);
  EXPECT_EQ(CenteredLeft(100, 151), -25);
  EXPECT_EQ(CenteredLeft(185, 100), 42);
}

TEST(FolderOfTarget, UpToTheLastBackslashOrColon) {
  const TextCase cases[] = {{"C:\\DOSBox-0.74\\dosbox.exe", "C:\\DOSBox-0.74\\"}, {"dosbox.exe", ""},
                            {"c:run.exe", "c:"}, {"", ""}};
  for (const auto& c : cases) EXPECT_EQ(FolderOfTarget(c.input), c.expected) << c.input;
}

TEST(CaseMapping, IsAsciiOnly) {
  EXPECT_EQ(LowerCase("AbC\xC9z"), "abc\xC9z");
  EXPECT_EQ(UpperCase("aBc\xE9Z"), "ABC\xE9Z");
}

}  // namespace
}  // namespace tarnwick
