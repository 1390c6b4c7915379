#include <gtest/gtest.h>

#include "ui/layout.h"
#include "util/exceptions.h"

namespace tarnwick {
namespace {

TEST(ParseLayout, NestsControlsByIndentation) {
  ControlSpec form = ParseLayout(
      "# a comment\r\n"
      "f: form client=685,400 colour=red font=Tahoma,15,white OnCreate=FormCreate\r\n"
      "  p: gradientpanel bounds=0,0,185,400 colour=#FF4D00 colourto=maroon font=Tahoma,16,bold,white\r\n"
      "    l: label at=42,165 caption=\"INSTALLING \\\"now\\\"\\nnext\"\r\n"
      "  e: edit bounds=64,35,287,26\r\n");
  EXPECT_EQ(form.name, "f");
  EXPECT_EQ(form.Get("OnCreate"), "FormCreate");
  ASSERT_EQ(form.children.size(), 2u);
  const ControlSpec* label = form.Find("l");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Get("caption"), "INSTALLING \"now\"\nnext");
  EXPECT_EQ(label->GetBounds().left, 42);
  EXPECT_EQ(form.Find("e")->GetBounds().width, 287);
  EXPECT_EQ(form.GetBounds().width, 685);
  FontSpec panelFont = form.children[0].GetFont(form.GetFont(FontSpec{}));
  EXPECT_TRUE(panelFont.bold);
  EXPECT_EQ(panelFont.height, 16);
  EXPECT_EQ(panelFont.colour, 0xFFFFFFu);
  EXPECT_EQ(*form.children[0].GetColour("colour"), 0xFF4D00u);
  EXPECT_EQ(*form.children[0].GetColour("colourto"), 0x800000u);
}

TEST(ParseLayout, ReadsBytesGivenInHex) {
  // Texts are in the ANSI code page: the registered sign is one byte, 0xAE.
  EXPECT_EQ(ParseLayout("f: form caption=\"Corvana\\xAE \\x41\\x7a\"").Get("caption"), "Corvana\xAE Az");
}

TEST(ParseLayout, RejectsMalformedLines) {
  const char* bad[] = {"", "f form", "f: form\n   x: label", "f: form\n    x: label", "f: form caption=\"open",
                       "f: form\ng: form", "f: form key", "f: form caption=\"\\xA\"", "f: form caption=\"\\xG0\""};
  for (const char* text : bad) EXPECT_THROW(ParseLayout(text), Exception) << text;
}

}  // namespace
}  // namespace tarnwick
