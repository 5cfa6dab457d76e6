// Teaching a drawn line box by box, and reading it back box by box, for the
// recognition tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "ocr/character_matrix.h"
#include "ocr/matcher.h"
#include "ocr/segmentation.h"
#include "stream/palette_greys.h"
#include "stream/picture.h"
#include "tests/ocr/allocation_counter.h"
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

// Reads a drawn line as recognition does: each box at its own size first,
// then with `Reader` (the reader of other sizes or of the other slant); '?'
// for a box neither reads. Counts what the reader allocates.
template <class Reader>
class BoxByBoxReader {
 public:
  std::string Read(Picture24 picture, const OcrSettings& settings, const CharacterMatrix& matrix) {
    picture_ = std::move(picture);
    Segmenter().Segment(picture_, kPaletteGreys[3], settings, table_);
    EXPECT_EQ(table_.count, 1);
    const TextLine& line = table_.lines[0];
    std::string text;
    reader_.StartLine();
    for (size_t j = 0; j < line.boxes.size(); ++j) {
      const Glyph glyph = ExtractGlyph(picture_, line.boxes[j], MarkOf(j));
      size_t k = MatchGlyph(glyph, line.boxes[j], matrix, settings);
      if (k == 0) {
        const size_t before = AllocationCount();
        k = reader_.Read(picture_, line, j, matrix, settings);
        readerAllocations += AllocationCount() - before;
      }
      text += k == 0 ? "?" : matrix.Entry(k).text;
    }
    return text;
  }

  size_t readerAllocations = 0;

 private:
  Picture24 picture_;
  LineTable table_;
  Reader reader_;
};

}  // namespace capter::testing
