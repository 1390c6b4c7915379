#include <gtest/gtest.h>

#include "util/exceptions.h"
#include "util/format.h"

namespace tarnwick {
namespace {

TEST(Format, FillsTextAndNumbersInOrder) {
  EXPECT_EQ(Format("Installation cancelled. %d of %d files were installed.", {1LL, 9LL}),
            "Installation cancelled. 1 of 9 files were installed.");
  EXPECT_EQ(Format("%s was not installed.", {Bytes("Tarnwick")}), "Tarnwick was not installed.");
  EXPECT_EQ(Format("100%% %s", {Bytes("sure")}), "100% sure");
  EXPECT_EQ(Format("%s", {Bytes("a%db")}), "a%db");  // values are not formatted again
}

TEST(Format, RaisesOnMissingOrMismatchedValues) {
  EXPECT_THROW(Format("%s %s", {Bytes("one")}), Exception);
  EXPECT_THROW(Format("%d", {Bytes("text")}), Exception);
  EXPECT_THROW(Format("%x", {1LL}), Exception);
}

TEST(FormatThousands, GroupsOfThreeDigits) {
  struct Case {
    uint32_t value;
    const char* separator;
    const char* expected;
  };
  const Case cases[] = {{0, ",", "0"},         {999, ",", "999"},         {1000, ",", "1,000"},
                        {123456, ",", "123,456"}, {1234567, ".", "1.234.567"}, {4294967295u, ",", "4,294,967,295"},
                        {1000, "", "1000"}};
  for (const auto& c : cases) EXPECT_EQ(FormatThousands(c.value, c.separator), c.expected);
}

}  // namespace
}  // namespace tarnwick
