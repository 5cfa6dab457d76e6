// Lines of letters drawn as pixel art, upright or leaning, for the
// recognition tests of letters in the other slant.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "ocr/character_matrix.h"
#include "ocr/recogniser.h"
#include "tests/ocr/ocr_test_support.h"
#include "tests/support/scripted_message_boxes.h"

namespace capter::testing {

// A letter's rows, '#' for ink.
using Art = std::vector<std::string>;

// Block letters of 15 rows.
inline const Art kBlockH = {"###...###", "###...###", "###...###", "###...###", "###...###",
                            "###...###", "#########", "#########", "#########", "###...###",
                            "###...###", "###...###", "###...###", "###...###", "###...###"};
inline const Art kBlockE = {"#########", "#########", "#########", "###......", "###......",
                            "###......", "#######..", "#######..", "#######..", "###......",
                            "###......", "###......", "#########", "#########", "#########"};

// The letters side by side on one line, their bottoms on one row, each
// leaning by `lean` columns per row up.
inline Picture24 DrawArtLine(const std::vector<const Art*>& letters, float lean) {
  int rows = 0, width = 2;
  for (const Art* art : letters) {
    rows = std::max(rows, static_cast<int>(art->size()));
    width += static_cast<int>((*art)[0].size()) + 3;
  }
  const int slack = static_cast<int>(lean * static_cast<float>(rows)) + 1;
  Art picture(rows + 4, std::string(width + letters.size() * slack, '.'));
  int x = 2;
  for (const Art* art : letters) {
    const int top = rows - static_cast<int>(art->size());
    for (int y = 0; y < static_cast<int>(art->size()); ++y) {
      const int shift = static_cast<int>(lean * static_cast<float>(art->size() - 1 - y) + 0.5f);
      for (size_t px = 0; px < (*art)[y].size(); ++px) {
        if ((*art)[y][px] == '#') picture[2 + top + y][x + shift + px] = '#';
      }
    }
    x += static_cast<int>((*art)[0].size()) + 3 + slack;
  }
  return PictureFromArt(picture);
}

// Recognises the drawn line with the other sizes and slant on (and the I
// and l rules when asked); every box the teacher is asked about reads "?".
inline std::string RecogniseArtLine(const std::vector<const Art*>& letters, float lean,
                                    CharacterMatrix matrix, bool iAndLByContext = false) {
  OcrSettings settings = SettingsWithoutAids();
  settings.OtherSizes = true;
  settings.IAndLByContext = iAndLByContext;
  TextColourState colour;
  ScriptedColourChooser chooser({3});
  ScriptedTeacher teacher({}, Taught("?"));
  CollectingSink sink;
  ScriptedMessageBoxes messages;
  Recogniser recogniser({matrix, settings, colour, chooser, teacher, sink, messages});
  Picture24 picture = DrawArtLine(letters, lean);
  recogniser.RecogniseSubPicture(picture, Rect{0, 0, picture.Width() - 1, picture.Height() - 1},
                                 TimeCode{}, TimeCode{});
  return recogniser.Lines().empty() ? std::string{} : recogniser.Lines()[0];
}

}  // namespace capter::testing
