#include "ocr/line_alignment.h"

#include <gtest/gtest.h>

namespace capter {
namespace {

constexpr int kLineHeight = 22;

AlignedBox Unknown(int width, int height = 20) {
  return AlignedBox{.known = false, .text = {}, .width = width, .height = height};
}

AlignedBox Known(std::string text, int width = 10, int height = 20) {
  return AlignedBox{.known = true, .text = std::move(text), .width = width, .height = height};
}

using Texts = LineAssignment;
const std::nullopt_t none = std::nullopt;

TEST(LineAlignment, AsManyCharactersAsBoxesGivesOneEachAndKnownBoxesAnchorTheRuns) {
  EXPECT_EQ(AlignLineAnswer({Unknown(10), Unknown(11), Unknown(9)}, "a b c", kLineHeight),
            (Texts{"a", "b", "c"}));
  // "There": the known T and e take their own text, the runs between the rest.
  EXPECT_EQ(AlignLineAnswer({Known("T"), Unknown(10), Known("e"), Unknown(8), Unknown(10)}, "There",
                            kLineHeight),
            (Texts{none, "h", none, "r", "e"}));
  // A known box read as touching characters takes all of them.
  EXPECT_EQ(AlignLineAnswer({Unknown(10), Known("rn", 18), Unknown(10)}, "arnde", kLineHeight),
            (Texts{none, none, none}))
      << "two characters left for one box of a letter's width";
  EXPECT_EQ(AlignLineAnswer({Unknown(10), Known("rn", 18), Unknown(10)}, "arn d", kLineHeight),
            (Texts{"a", none, "d"}));
}

TEST(LineAlignment, ATouchingPairGoesToTheBoxTwiceAsWideAsALetter) {
  EXPECT_EQ(AlignLineAnswer({Unknown(10), Unknown(20), Unknown(10)}, "abcd", kLineHeight),
            (Texts{"a", "bc", "d"}));
  // Not when no box is wide enough: a wide letter beside a lost full stop.
  EXPECT_EQ(AlignLineAnswer({Unknown(10), Unknown(15), Unknown(10)}, "am.b", kLineHeight),
            (Texts{none, none, none}));
}

TEST(LineAlignment, AnAmbiguousReadingLeavesOnlyTheBoxesItDoesNotSettle) {
  // Either wide box may hold the pair: those two are asked, the rest is sure.
  EXPECT_EQ(AlignLineAnswer({Unknown(10), Unknown(10), Unknown(10), Unknown(20), Unknown(20)},
                            "abcdef", kLineHeight),
            (Texts{"a", "b", "c", none, none}));
}

TEST(LineAlignment, AKnownBoxThatDoesNotFitLeavesTheBoxesBesideItUnassigned) {
  EXPECT_EQ(AlignLineAnswer({Known("x"), Unknown(10), Unknown(10)}, "abc", kLineHeight),
            (Texts{none, none, none}));
  // Far from the misfit the text still settles its boxes.
  EXPECT_EQ(AlignLineAnswer({Unknown(10), Unknown(10), Known("e"), Known("x"), Unknown(10)},
                            "abecd", kLineHeight),
            (Texts{"a", "b", none, none, none}));
}

TEST(LineAlignment, MoreBoxesThanCharactersLeavesTheRunUnassigned) {
  // A broken "m" in two boxes: which box is what cannot be told.
  EXPECT_EQ(AlignLineAnswer({Unknown(10), Unknown(7), Unknown(8), Unknown(10)}, "amb", kLineHeight),
            (Texts{none, none, none, none}));
  // A speck beside known letters: the run holding it is asked.
  EXPECT_EQ(
      AlignLineAnswer({Unknown(10), Known("b"), Unknown(2, 2), Unknown(10)}, "abc", kLineHeight),
      (Texts{"a", none, none, none}));
}

TEST(LineAlignment, LettersAndMarksGoOnlyToBoxesOfTheirHeight) {
  EXPECT_EQ(AlignLineAnswer({Unknown(10), Unknown(3, 3)}, "a.", kLineHeight), (Texts{"a", "."}));
  // A letter given to a dot-sized box, or a mark to a full-height one, is a
  // misreading of where the characters are.
  EXPECT_EQ(AlignLineAnswer({Unknown(10), Unknown(3, 3)}, "ab", kLineHeight), (Texts{none, none}));
  EXPECT_EQ(AlignLineAnswer({Unknown(10), Unknown(10)}, "a.", kLineHeight), (Texts{none, none}));
}

TEST(LineAlignment, SpacesAreIgnoredAndAnEmptyOrOverlongAnswerSettlesNothing) {
  EXPECT_EQ(AlignLineAnswer({Unknown(10), Unknown(10)}, " a  b ", kLineHeight), (Texts{"a", "b"}));
  EXPECT_EQ(AlignLineAnswer({Unknown(10), Unknown(10)}, "", kLineHeight), (Texts{none, none}));
  EXPECT_EQ(AlignLineAnswer({Unknown(10)}, "abcdefgh", kLineHeight), (Texts{none}));
  EXPECT_EQ(AlignLineAnswer({}, "abc", kLineHeight), (Texts{}));
}

}  // namespace
}  // namespace capter
