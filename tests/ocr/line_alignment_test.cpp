#include "ocr/line_alignment.h"

#include <gtest/gtest.h>

#include <random>

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

// Whatever is typed, the boxes settled take disjoint pieces of the answer in
// reading order, each as long as a box may hold.
TEST(LineAlignment, SettledBoxesTakeTheAnswerInOrderWhateverIsTyped) {
  std::mt19937 random(7);
  const std::string alphabet = "ab.,mwil-\"' \xE9\x7F";
  for (int round = 0; round < 2000; ++round) {
    std::vector<AlignedBox> boxes(random() % 12);
    for (AlignedBox& box : boxes) {
      box.known = random() % 3 == 0;
      box.width = static_cast<int>(random() % 30);
      box.height = static_cast<int>(random() % 25);
      if (box.known) box.text = std::string(random() % 3, alphabet[random() % alphabet.size()]);
    }
    std::string answer(random() % 20, ' ');
    for (char& c : answer) c = alphabet[random() % alphabet.size()];
    const LineAssignment assigned = AlignLineAnswer(boxes, answer, 1 + random() % 30);
    ASSERT_EQ(assigned.size(), boxes.size());
    std::string rest;
    for (char c : answer) {
      if (c != ' ') rest += c;
    }
    size_t at = 0;
    for (size_t j = 0; j < boxes.size(); ++j) {
      if (!assigned[j]) continue;
      EXPECT_FALSE(boxes[j].known);
      ASSERT_FALSE(assigned[j]->empty());
      EXPECT_LE(assigned[j]->size(), 3u);
      const size_t found = rest.find(*assigned[j], at);
      ASSERT_NE(found, std::string::npos) << answer;
      at = found + assigned[j]->size();
    }
  }
}

}  // namespace
}  // namespace capter
