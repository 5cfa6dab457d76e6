// Italic letters drawn narrower than their upright entries, as italic type
// draws them: read by shape once nothing else reads them, and only where
// the shape is the entry's alone and sits where the entry sits.
#include <gtest/gtest.h>

#include "ocr/character_matrix.h"
#include "tests/ocr/art_line.h"
#include "tests/ocr/ocr_test_support.h"
#include "tests/ocr/teach_line.h"

namespace capter::testing {
namespace {

const Art kY = {"###.......###", ".##.......##.", "..##.....##..", "..##.....##..",
                "...##...##...", "....##.##....", ".....###.....", ".....###.....",
                ".....###.....", ".....###.....", ".....###.....", ".....###.....",
                ".....###.....", ".....###.....", "...#######..."};
// Three columns narrower: the pixels of the upright entry, set upright
// again, are too wide to compare.
const Art kItalicY = {"###....###", ".##....##.", "..##..##..", "..##..##..", "...####...",
                      "...####...", "...###....", "...###....", "...###....", "...###....",
                      "...###....", "...###....", "...###....", "...###....", ".#######.."};

CharacterMatrix Upright(const std::string& texts = "HEY") {
  CharacterMatrix matrix;
  TeachLineBoxes(DrawArtLine({&kBlockH, &kBlockE, &kY}, 0.0f), SettingsWithoutAids(), texts,
                 matrix);
  return matrix;
}

TEST(SlantShape, ANarrowerItalicFormReadsFromItsUprightEntry) {
  EXPECT_EQ(RecogniseArtLine({&kBlockH, &kItalicY, &kBlockE}, 0.25f, Upright()), "HYE");
  // Not on an upright line, where nothing was set upright.
  EXPECT_EQ(RecogniseArtLine({&kBlockH, &kItalicY, &kBlockE}, 0.0f, Upright()), "H?E");
}

TEST(SlantShape, AShapeSetLowerOrSharedWithAnotherTextStaysUnknown) {
  // The letters around it two rows higher: the shape sits below where
  // its entry sits.
  Art h = kBlockH, e = kBlockE;
  for (Art* art : {&h, &e}) art->insert(art->end(), 2, std::string((*art)[0].size(), '.'));
  EXPECT_EQ(RecogniseArtLine({&h, &kItalicY, &e}, 0.25f, Upright()), "H?E");
  CharacterMatrix twice = Upright();
  TeachLineBoxes(DrawArtLine({&kY}, 0.0f), SettingsWithoutAids(), "V", twice);
  EXPECT_EQ(RecogniseArtLine({&kBlockH, &kItalicY, &kBlockE}, 0.25f, twice), "H?E");
}

}  // namespace
}  // namespace capter::testing
