// A sub-picture of two short lines and a recogniser fixture reading it, for
// the recognition tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ocr/character_matrix.h"
#include "ocr/recogniser.h"
#include "tests/ocr/ocr_test_support.h"
#include "tests/support/scripted_message_boxes.h"

namespace capter::testing {

// Two lines: "ab a" over "ba" (gaps of 1 column inside words, 8 between).
// a: a 3 x 4 block; b: the same with its top right corner cut away.
// clang-format off
inline const std::vector<std::string> kTwoLines = {
    "..............................",
    ".###.#..........###...........",
    ".###.#..........###...........",
    ".###.###........###...........",
    ".###.###........###...........",
    "..............................",
    "..............................",
    "..............................",
    "..............................",
    "..............................",
    "..............................",
    "..............................",
    ".#...###......................",
    ".#...###......................",
    ".###.###......................",
    ".###.###......................",
};
// clang-format on

inline constexpr Rect kTwoLinesArea{100, 400, 129, 415};
inline constexpr TimeCode kTwoLinesStart{0, 0, 1, 500};
inline constexpr TimeCode kTwoLinesStop{0, 0, 3, 0};

// Recognises kTwoLines with the fixture's matrix, settings (every aid off)
// and answers.
class TwoLineRecognition : public ::testing::Test {
 protected:
  RecognitionOutcome Recognise(CharacterTeacher& teacher) {
    Recogniser recogniser({matrix_, settings_, colour_, chooser_, teacher, sink_, boxes_});
    Picture24 picture = PictureFromArt(kTwoLines);
    const RecognitionOutcome outcome =
        recogniser.RecogniseSubPicture(picture, kTwoLinesArea, kTwoLinesStart, kTwoLinesStop);
    lines_ = recogniser.Lines();
    return outcome;
  }

  CharacterMatrix matrix_;
  OcrSettings settings_ = SettingsWithoutAids();
  TextColourState colour_;
  ScriptedColourChooser chooser_{{3, 3, 3}};
  CollectingSink sink_;
  ScriptedMessageBoxes boxes_;
  std::vector<std::string> lines_;
};

}  // namespace capter::testing
