// Texts from effects shown so that trailing blanks, tabs and odd bytes can be seen.
#include <gtest/gtest.h>

#include "text_escape.h"

TEST(TextEscape, QuotesAndEscapesWhatWouldBeInvisible) {
  const struct { std::string text, shown; } cases[] = {
      {"DEPTH  \t", "\"DEPTH  \\t\""},
      {"       ", "\"       \""},
      {"", "\"\""},
      {"say \"hi\" \\ bye", "\"say \\\"hi\\\" \\\\ bye\""},
      {std::string("a\x01\x7F\xE9\n", 5), "\"a\\x01\\x7F\\xE9\\n\""},
  };
  for (const auto& c : cases) EXPECT_EQ(visibleText(c.text), c.shown);
}

TEST(TextEscape, FourCharacterCodesReadFromTheTopByte) {
  EXPECT_EQ(fourCharText(0x51565231), "'QVR1'");
  EXPECT_EQ(fourCharText(0x56737450), "'VstP'");
  EXPECT_EQ(fourCharText(0x00412701), "'\\x00A\\'\\x01'");
  EXPECT_EQ(fourCharBytes(0x51565231), "QVR1");
}
