#include "base/cp1252.h"

#include <gtest/gtest.h>

namespace capter {
namespace {

TEST(Cp1252, EveryByteSurvivesTheTripThroughUtf8) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Cp1252, TheCodePageDiffersFromLatin1Between0x80And0x9F) {
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");              // euro sign
  EXPECT_EQ(Cp1252ToUtf8("N\xB0 \x9C"), "N\xC2\xB0 \xC5\x93");  // degree, oe
  EXPECT_EQ(Cp1252ToUnicode(0x81), 0x81u);                      // undefined byte
  EXPECT_EQ(Utf8ToCp1252("\xE2\x80\x9C\xC3\xA9\xE2\x80\x9D"), "\x93\xE9\x94");
}

TEST(Cp1252, CharactersOutsideTheCodePageAndBrokenUtf8BecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1252("\xE6\x97\xA5"), "?");        // CJK
  EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x98\x80!"), "?!");  // emoji
  EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");              // cut short
  EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "??");           // overlong
  EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "???");      // surrogate
  EXPECT_EQ(Utf8ToCp1252("\xFF"), "?");
}

TEST(Cp1252, CaseFoldingCoversAccentedLetters) {
  EXPECT_TRUE(EqualsIgnoreCase1252("CONFIG", "config"));
  EXPECT_TRUE(EqualsIgnoreCase1252("\xC0\xC9\x8A\x9F", "\xE0\xE9\x9A\xFF"));
  EXPECT_FALSE(EqualsIgnoreCase1252("\xD7", "\xF7"));  // multiplication and division signs
  EXPECT_FALSE(EqualsIgnoreCase1252("ab", "abc"));
}

}  // namespace
}  // namespace capter
