#include "ocr/segmentation.h"

#include <gtest/gtest.h>

#include "stream/palette_greys.h"
#include "tests/ocr/ocr_test_support.h"

namespace capter::testing {
namespace {

const Colour kText = kPaletteGreys[3];

LineTable SegmentArt(const std::vector<std::string>& art,
                     const OcrSettings& settings = SettingsWithoutAids()) {
  Picture24 picture = PictureFromArt(art);
  LineTable table;
  Segmenter().Segment(picture, kText, settings, table);
  return table;
}

// A picture `rows` high with a 3 x h block of text at each given top row.
LineTable SegmentBands(int rows, const std::vector<std::pair<int, int>>& bands,
                       const OcrSettings& settings = SettingsWithoutAids()) {
  Picture24 picture(8, rows);
  picture.Fill(kPaletteGreys[0]);
  for (const auto& [top, height] : bands) DrawBlock(picture, 2, top, 3, height);
  LineTable table;
  Segmenter().Segment(picture, kText, settings, table);
  return table;
}

TEST(SegmentLines, APictureWithoutTextHasNoLines) {
  EXPECT_EQ(SegmentArt({"....", "....", ".oo."}).count, 0);
}

TEST(SegmentLines, EmptyRowsEndABandOnlyAfterTheExplorationHeight) {
  OcrSettings settings = SettingsWithoutAids();
  settings.MinInterLine = 1;  // no joining of bands
  // An empty row 5 rows into the band (within MinLineHeight 8) does not end it.
  LineTable table = SegmentBands(30, {{2, 5}, {8, 4}}, settings);
  ASSERT_EQ(table.count, 1);
  EXPECT_EQ(table.lines[0].top, 2);
  EXPECT_EQ(table.lines[0].bottom, 11);
  // An empty row 10 rows into the band does.
  table = SegmentBands(40, {{2, 10}, {13, 4}}, settings);
  ASSERT_EQ(table.count, 2);
  EXPECT_EQ(table.lines[0].bottom, 11);
  EXPECT_EQ(table.lines[1].top, 13);
}

TEST(SegmentLines, BandsCloserThanMinInterLineJoin) {
  OcrSettings settings = SettingsWithoutAids();
  settings.MinLineHeight = 0;
  settings.MinInterLine = 3;
  EXPECT_EQ(SegmentBands(40, {{0, 10}, {13, 10}}, settings).count, 2);       // 3 empty rows
  const LineTable joined = SegmentBands(40, {{0, 10}, {12, 10}}, settings);  // 2 empty rows
  ASSERT_EQ(joined.count, 1);
  EXPECT_EQ(joined.lines[0].bottom, 21);
}

TEST(SegmentLines, ATooTallBandIsDroppedAndTheNextBecomesLineOne) {
  OcrSettings settings = SettingsWithoutAids();
  settings.MaxLineHeight = 20;
  const LineTable table = SegmentBands(60, {{0, 21}, {30, 20}}, settings);
  ASSERT_EQ(table.count, 1);
  EXPECT_EQ(table.lines[0].top, 30);
  EXPECT_EQ(table.lines[0].boxes.size(), 1u);
}

TEST(SegmentLines, AnEleventhLineIsIgnored) {
  std::vector<std::pair<int, int>> bands;
  for (int i = 0; i < 11; ++i) bands.push_back({i * 10, 4});
  const LineTable table = SegmentBands(110, bands);
  EXPECT_EQ(table.count, 10);
  EXPECT_EQ(table.lines[9].top, 90);
}

TEST(SegmentCharacters, DotsAboveAStemAndTheColonAreOneBox) {
  const LineTable table = SegmentArt({
      "##....##..",
      "##....##..",
      "..........",
      "##........",
      "##........",
      "##....##..",
      "##....##..",
  });
  ASSERT_EQ(table.count, 1);
  const std::vector<CharBox>& boxes = table.lines[0].boxes;
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0], (CharBox{0, 0, 2, 7, 0, 0}));
  EXPECT_EQ(boxes[1], (CharBox{6, 0, 2, 7, 0, 0}));
}

TEST(SegmentCharacters, ADotSeededAfterItsStemIsMergedIntoIt) {
  // The stem starts one column left of the dot, so it is seeded first and the
  // dot becomes a box of its own wholly below it, then joins it.
  Picture24 picture = PictureFromArt({
      "###...",
      "###...",
      "###...",
      "###...",
      "......",
      ".##...",
      ".##...",
  });
  LineTable table;
  Segmenter().Segment(picture, kText, SettingsWithoutAids(), table);
  ASSERT_EQ(table.lines[0].boxes.size(), 1u);
  EXPECT_EQ(table.lines[0].boxes[0], (CharBox{0, 0, 3, 7, 0, 0}));
  EXPECT_EQ(picture.Pixel(1, 6), kMarkA);  // the dot carries the stem's mark

  const LineTable question = SegmentArt({
      ".####.",
      "##..##",
      "....##",
      "...##.",
      "..##..",
      "..##..",
      "......",
      "..##..",
      "..##..",
  });
  ASSERT_EQ(question.lines[0].boxes.size(), 1u);
  EXPECT_EQ(question.lines[0].boxes[0], (CharBox{0, 0, 6, 9, 0, 0}));
}

TEST(SegmentCharacters, SpecksAddNoBoxAndLeaveTheirMarkToTheNextCharacter) {
  Picture24 picture = PictureFromArt({
      "......##",
      "......##",
      "#.....##",
      "......##",
  });
  LineTable table;
  Segmenter().Segment(picture, kText, SettingsWithoutAids(), table);
  ASSERT_EQ(table.lines[0].boxes.size(), 1u);
  EXPECT_EQ(table.lines[0].boxes[0].Left, 6);
  EXPECT_EQ(picture.Pixel(0, 2), kMarkA);
  EXPECT_EQ(picture.Pixel(6, 0), kMarkA);
}

TEST(SegmentCharacters, NeighboursCarryAlternatingMarks) {
  Picture24 picture = PictureFromArt({"##..##..##", "##..##..##"});
  LineTable table;
  Segmenter().Segment(picture, kText, SettingsWithoutAids(), table);
  ASSERT_EQ(table.lines[0].boxes.size(), 3u);
  EXPECT_EQ(picture.Pixel(0, 0), kMarkA);
  EXPECT_EQ(picture.Pixel(4, 1), kMarkB);
  EXPECT_EQ(picture.Pixel(9, 1), kMarkA);
  EXPECT_EQ(MarkOf(0), kMarkA);
  EXPECT_EQ(MarkOf(1), kMarkB);
}

TEST(SegmentCharacters, ADiagonalTouchJoinsOnlyWithDetachedCharacterCheck) {
  const std::vector<std::string> art = {
      "##......", "##......", "##......", "..##....", "..##....",
  };
  OcrSettings settings = SettingsWithoutAids();
  EXPECT_EQ(SegmentArt(art, settings).lines[0].boxes.size(), 1u);
  settings.CheckDetachedChar = false;
  const LineTable apart = SegmentArt(art, settings);
  ASSERT_EQ(apart.lines[0].boxes.size(), 2u);
  EXPECT_EQ(apart.lines[0].boxes[1], (CharBox{2, 3, 2, 2, 3, 0}));
}

TEST(SegmentCharacters, AnOverlongLineStopsAt499Boxes) {
  Picture24 picture(3 * 600, 3);
  picture.Fill(kPaletteGreys[0]);
  for (int i = 0; i < 600; ++i) DrawBlock(picture, 3 * i, 0, 2, 3);
  LineTable table;
  Segmenter().Segment(picture, kText, SettingsWithoutAids(), table);
  EXPECT_EQ(table.lines[0].boxes.size(), kMaxCharsPerLine);
}

TEST(SegmentCharacters, ASegmenterReusedOnASmallerPictureForgetsTheLargerOne) {
  Segmenter segmenter;
  LineTable table;
  Picture24 big = PictureFromArt({"##.##.##", "##.##.##", "........", "##......", "##......"});
  OcrSettings settings = SettingsWithoutAids();
  settings.MinInterLine = 1;
  settings.MinLineHeight = 0;
  segmenter.Segment(big, kText, settings, table);
  EXPECT_EQ(table.count, 2);
  Picture24 small = PictureFromArt({"##", "##"});
  segmenter.Segment(small, kText, settings, table);
  ASSERT_EQ(table.count, 1);
  EXPECT_EQ(table.lines[0].boxes.size(), 1u);
}

TextLine LineOf(const std::vector<std::pair<int, int>>& leftAndWidth) {
  TextLine line;
  for (const auto& [left, width] : leftAndWidth) {
    line.boxes.push_back(
        CharBox{static_cast<uint16_t>(left), 0, static_cast<uint16_t>(width), 10, 0, 0});
  }
  return line;
}

TEST(ItalicFlags, OverlappingNeighboursAreFlaggedAndTheLastCopiesItsNeighbour) {
  // Gaps: 2, -1 (overlap), 3.
  TextLine line = LineOf({{0, 5}, {7, 5}, {11, 5}, {19, 5}});
  SetItalicFlags(line, SettingsWithoutAids());
  EXPECT_EQ(line.boxes[0].Italic, 0);
  EXPECT_EQ(line.boxes[1].Italic, 1);
  EXPECT_EQ(line.boxes[2].Italic, 1);
  EXPECT_EQ(line.boxes[3].Italic, 1);

  // The first box has a gap of at least 99 on its left.
  OcrSettings wide = SettingsWithoutAids();
  wide.DetectItaWidth = 10;
  TextLine far = LineOf({{0, 5}, {30, 5}, {60, 5}});
  SetItalicFlags(far, wide);
  EXPECT_EQ(far.boxes[0].Italic, 0);

  TextLine single = LineOf({{0, 5}});
  single.boxes[0].Italic = 1;
  SetItalicFlags(single, wide);
  EXPECT_EQ(single.boxes[0].Italic, 0);
}

TEST(SpaceAfter, ItalicPairsUseTheirOwnThreshold) {
  TextLine line = LineOf({{0, 5}, {10, 5}, {20, 5}});  // gaps of 5 empty columns
  const OcrSettings settings = SettingsWithoutAids();
  EXPECT_FALSE(SpaceAfter(line, 0, settings));
  line.boxes[0].Italic = line.boxes[1].Italic = 1;
  EXPECT_TRUE(SpaceAfter(line, 0, settings));
  EXPECT_FALSE(SpaceAfter(line, 1, settings));  // only one of the pair is italic
  EXPECT_FALSE(SpaceAfter(line, 2, settings));  // the last character
  line.boxes[2].Left = 22;                      // gap 7
  EXPECT_TRUE(SpaceAfter(line, 1, settings));
}

}  // namespace
}  // namespace capter::testing
