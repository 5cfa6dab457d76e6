// Splitting a picture into text lines and character boxes. A pixel is text
// exactly when its colour equals the text colour. Every accepted character's
// pixels are recoloured with its marking colour, so that its glyph can be cut
// out of the same picture and the teaching dialog can show it.
#pragma once

#include <cstdint>
#include <vector>

#include "ocr/antialias_link.h"
#include "ocr/line_table.h"
#include "ocr/ocr_settings.h"
#include "ocr/text_greys.h"
#include "stream/picture.h"

namespace capter {

// Holds the scratch buffers of segmentation so that a reused segmenter does
// not allocate once it has seen its largest picture.
class Segmenter {
 public:
  // Fills `table` with at most kMaxTextLines lines of boxes and marks the
  // characters (and rejected specks) in `bitmap`.
  void Segment(Picture24& bitmap, Colour textColour, const OcrSettings& settings, LineTable& table);
  // The same with every grey of `text` counted as text, and the pixels of
  // `joins` as well where they join the pieces of a character (never in its
  // box or glyph, and not where lines are found).
  void Segment(Picture24& bitmap, const TextGreys& text, const OcrSettings& settings,
               LineTable& table, const std::vector<JoinPixel>& joins = {});

 private:
  enum Label : uint8_t { kEmpty = 0, kText = 1, kLabelA = 2, kLabelB = 3 };

  // A line's pixels as labels, column by column: cell (c, r) is
  // cells_[c * height_ + r], r counted from the line's top row.
  uint8_t& Cell(int c, int r) { return cells_[static_cast<size_t>(c) * height_ + r]; }

  int FindRow(int y0, int y1) const;
  int BandBottom(int y0, int y1, int explore) const;
  int FindLineBottom(int top, const OcrSettings& settings) const;

  void LoadLine(const Picture24& bitmap, const TextGreys& text, int top, int bottom,
                const std::vector<JoinPixel>& joins);
  // Whether cell (c, r) is of the body grey (the first text grey) rather
  // than a grey that only joins the body's pieces.
  bool Body(int c, int r) const;
  void CutCharacters(const OcrSettings& settings, TextLine& line);
  bool FindSeed(int fromColumn, int& seedC, int& seedR) const;
  // Walks the columns from `left`, joining text to the character; returns
  // the rightmost marked column and sets the column where scanning resumes
  // (-1 when no text is left to the right).
  int ScanExtent(int left, uint8_t mark, const OcrSettings& settings, int& nextStart);
  bool MergeDetachedLowerPart(TextLine& line, const CharBox& box);
  // With KeepSmallMarks: the second tick of a double quote (or chevron of
  // a guillemet) joins the first.
  bool JoinMarkPair(TextLine& line, const CharBox& box);
  void Recolour(const CharBox& box, int lineTop, uint8_t from, uint8_t to);
  // Fills line.wordGaps: each box gap widened towards the ink gap (the
  // narrowest gap over the rows both characters cover) by at most the
  // line's typical difference between the two, or between two letters of
  // body size (a stroke taller than half the line's median box) by at
  // least half their own difference, the closest row left aside. Slanted letters have ink gaps
  // wider than their box gaps all along the line; upright ones next to punctuation, which must not
  // read as a word gap, and next to an overhang (the hook of an "f"), which narrows a word gap's
  // box gap.
  void MeasureWordGaps(TextLine& line);
  // Leftmost and rightmost column of `mark` in every row of `box`.
  void RowExtents(const CharBox& box, int lineTop, uint8_t mark, std::vector<int>& left,
                  std::vector<int>& right) const;
  void Fill(int c, int r, uint8_t to);
  void StoreMarks(Picture24& bitmap, int top) const;

  int width_ = 0;
  int height_ = 0;  // rows of the current line
  std::vector<uint8_t> rowHasText_;
  std::vector<uint8_t> cells_;
  std::vector<int32_t> fillStack_;
  bool joining_ = false;           // more than one text grey
  std::vector<uint8_t> joinOnly_;  // per cell, with joining_: not the body grey
  std::vector<int> leftA_, rightA_, leftB_, rightB_, slack_;
  std::vector<int> broad_;   // per pair: the slack but for its narrowest row
  std::vector<int> stroke_;  // per box: its most consecutive rows of pixels
};

// Sets each box's italic flag from the gaps to its neighbours.
void SetItalicFlags(TextLine& line, const OcrSettings& settings);

// Whether a box of this size is a character rather than a speck: at least
// MinCharWidth x MinCharHeight, or with KeepSmallMarks also a flat mark
// (hyphen), a thin stroke or any mark of two pixels or more.
bool KeepsBox(const CharBox& box, const OcrSettings& settings);

// Whether a space follows the character at `index` (from 0) of `line`.
bool SpaceAfter(const TextLine& line, size_t index, const OcrSettings& settings);

// The gap (empty columns) from which a space follows the character at
// `index`: SpaceWidth or ItaSpaceWidth, or with AutoSpaces a threshold the
// line's own gaps give (see LineSpaceThreshold).
int SpaceThreshold(const TextLine& line, size_t index, const OcrSettings& settings,
                   int lineThreshold);

// With AutoSpaces: the word-gap threshold of a line. Its gaps (the
// measured word gaps, see MeasureWordGaps; box gaps widened between italic
// characters for a line without them) are split into letter gaps and word
// gaps where the two groups lie furthest apart; when their means are less
// than a fifth of the line's height (at least 3) apart, the line is one
// word. The threshold lies between a little over a tenth and two thirds
// of the line's height.
int LineSpaceThreshold(const TextLine& line, const OcrSettings& settings);

// Whether a space follows the character at `index`, with the line's
// threshold precomputed. With AutoSpaces, a quote mark or apostrophe (a
// small mark in the line's upper half) ending the line never has a space
// before it.
bool SpaceAfter(const TextLine& line, size_t index, const OcrSettings& settings, int lineThreshold);

}  // namespace capter
