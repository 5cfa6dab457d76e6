#include "app/numeric_value.h"

#include <gtest/gtest.h>

namespace capter {
namespace {

NumericRange Word(int64_t min, int64_t max) {
  return {.allowMinus = false, .min = min, .max = max};
}

TEST(NumericValue, FocusCheckCorrectsToTheNearestBoundWithItsMessage) {
  const NumericCheck empty = CheckNumericText("", Word(0, 24));
  EXPECT_FALSE(empty.ok);
  EXPECT_EQ(empty.value, 0);
  EXPECT_EQ(empty.message, "Valeur comprise entre 0 et 24 attendue.");

  const NumericCheck large = CheckNumericText("75", Word(0, 59));
  EXPECT_FALSE(large.ok);
  EXPECT_EQ(large.value, 59);
  EXPECT_EQ(large.message, "Valeur trop grande : Valeur maximum = 59");

  EXPECT_EQ(CheckNumericText("70000", kWordRange).value, 65535);
  EXPECT_EQ(CheckNumericText("99999999999999999999999", kWordRange).value, 65535);

  const NumericCheck small = CheckNumericText("-11", {.allowMinus = true, .min = -10, .max = 45});
  EXPECT_EQ(small.message, "Valeur trop petite : Valeur minimum = -10");
  EXPECT_EQ(small.value, -10);

  // Pasted text that is not a number passes and reads as the minimum.
  const NumericCheck pasted = CheckNumericText("abc", Word(3, 9));
  EXPECT_TRUE(pasted.ok);
  EXPECT_EQ(pasted.value, 3);
  EXPECT_EQ(NumericValue("abc", Word(3, 9)), 3);
}

TEST(NumericValue, BoundsNeverExcludeTheCurrentValueAndSetHintAndLength) {
  NumericRange range = Word(0, 65535);
  SetNumericMin(range, 10, 5);
  EXPECT_EQ(range.min, 5);
  SetNumericMax(range, 3, 5);
  EXPECT_EQ(range.max, 5);
  SetNumericMax(range, 59, 5);
  EXPECT_EQ(NumericHint(range), "Entier entre 5 et 59");
  EXPECT_EQ(NumericMaxLength(range), 2);
  EXPECT_EQ(NumericMaxLength({.allowMinus = true, .min = -10, .max = 45}), 3);
}

TEST(NumericValue, KeysPassOnlyDigitsEditingKeysAndMinusWhereAllowed) {
  EXPECT_TRUE(NumericKeyAccepted(U'7', kWordRange));
  EXPECT_TRUE(NumericKeyAccepted(U'\b', kWordRange));
  EXPECT_FALSE(NumericKeyAccepted(U'-', kWordRange));
  EXPECT_TRUE(NumericKeyAccepted(U'-', kIntegerRange));
  EXPECT_FALSE(NumericKeyAccepted(U'a', kIntegerRange));
  EXPECT_FALSE(ParseNumericText("-5", false).has_value());
  EXPECT_EQ(ParseNumericText("-5", true), -5);
}

}  // namespace
}  // namespace capter
