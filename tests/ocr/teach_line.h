// Teaching a drawn line box by box, for the recognition tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "ocr/character_matrix.h"
#include "ocr/matcher.h"
#include "ocr/segmentation.h"
#include "stream/palette_greys.h"
#include "stream/picture.h"
#include "tests/support/scripted_message_boxes.h"

namespace capter::testing {

// Segments `picture` (text in the brightest grey) with `settings` and teaches
// each box of its one line as the matching character of `texts`.
inline void TeachLineBoxes(Picture24 picture, const OcrSettings& settings, const std::string& texts,
                           CharacterMatrix& matrix) {
  LineTable table;
  Segmenter().Segment(picture, kPaletteGreys[3], settings, table);
  ASSERT_EQ(table.count, 1);
  ASSERT_EQ(table.lines[0].boxes.size(), texts.size());
  ScriptedMessageBoxes boxes;
  for (size_t j = 0; j < texts.size(); ++j) {
    const CharBox& box = table.lines[0].boxes[j];
    matrix.Add(MatrixEntry{ExtractGlyph(picture, box, MarkOf(j)), texts.substr(j, 1)}, boxes);
  }
}

}  // namespace capter::testing
