// Reading letters in the other slant: a box that nothing reads is leaned to
// the slant of the entries it is compared with, cropped to its ink and
// compared at its own size. On a line whose letters lean, the box is set
// upright by the line's slant, and by the lean each upright entry has short
// of it; on an upright line, it is leaned by the lean each italic entry has
// beyond it. Dots and ticks (a full stop, the dots of a colon) are compared
// by the layout of their pieces instead, a dotted stem by its body and its
// dot; an italic form that is no leaned upright one, by shape.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "ocr/character_matrix.h"
#include "ocr/glyph.h"
#include "ocr/line_table.h"
#include "ocr/matcher.h"
#include "ocr/ocr_settings.h"
#include "stream/picture.h"

namespace capter {

// Similarity (thousandths) a leaned box must reach to read as an entry.
inline constexpr int kSlantSimilarity = 930;
// How far the best entry must lead the best one with a different text.
inline constexpr int kSlantMargin = 20;
// Smaller boxes carry too few rows to measure or undo a slant.
inline constexpr int kMinSlantHeight = 8;
// A line whose letters lean by at least this (columns per row) is italic.
inline constexpr float kMinItalicSlant = 0.1f;

// `rows` (`width` x `height`) leaned by `lean` columns to the right per row
// up from the bottom row (negative: to the left, setting an italic letter
// upright), then cropped to its ink on the left; returns the inked width, 0
// when it would pass 45 columns or the glyph is empty.
int LeanRows(const GlyphRows& rows, int width, int height, float lean, GlyphRows& out);

// The enclosed background regions of a glyph (4-connected, so a stroke
// joined only at a corner still closes them) of at least two pixels: what
// tells a closed bowl from an open one whatever the lean.
int HolesOf(const GlyphRows& rows, int width, int height);

// One 4-connected piece of a glyph: its bounds and pixel count.
struct GlyphPiece {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int pixels = 0;
};
inline constexpr int kMaxMarkPieces = 3;
using MarkPieces = std::array<GlyphPiece, kMaxMarkPieces>;

// The pieces of a glyph made only of dots and ticks (each piece lower and
// narrower than the rows a lean needs, at most kMaxMarkPieces of them), top
// to bottom; 0 for any other glyph.
int SmallMarkPieces(const GlyphRows& rows, int width, int height, MarkPieces& pieces);

// Whether two small marks are one: as many pieces, each of about the
// other's size and ink, on about the same rows, their columns apart by at
// most what an italic lean moves them. Their pixels are not compared: at
// three pixels square a slanted dot is the mirror of an upright one.
bool SameSmallMark(const MarkPieces& a, int aCount, const MarkPieces& b, int bCount);

// Reads the boxes of one line in the other slant than the entries they
// would match. Keeps its buffers between lines, so it stops allocating once
// it has read its longest line.
class SlantReader {
 public:
  // Forgets the line: call it for every new line.
  void StartLine() { measured_ = false; }

  // The entry box `index` of `line` reads as once leaned, or 0.
  size_t Read(const Picture24& bitmap, const TextLine& line, size_t index,
              const CharacterMatrix& matrix, const OcrSettings& settings);

  // The entry box `index` of an italic line reads as by shape, when
  // nothing else reads it (not even split): set upright, it is brought
  // onto one grid with each upright entry (leaning at least the italic
  // threshold less than the line) of about its height and place, a width
  // that may differ by a quarter (italic forms are narrower), and must lie
  // as close (ShapeCloseness) as a letter of another size read by shape,
  // lead every other text by as much, and enclose as many holes; 0
  // otherwise.
  size_t ReadByShape(const Picture24& bitmap, const TextLine& line, size_t index,
                     const CharacterMatrix& matrix, const OcrSettings& settings);

  // The entry box `index` of an italic line reads as when it is a plain
  // bar leaning at about the line's slant (one piece, or a stem with a mark
  // above): set upright, its body is a plain bar, and it reads as the
  // upright entry of a plain bar as wide within a pixel, of the same height
  // and top within a row and with the same mark above or none, when exactly
  // one text fits, or when the texts are "I" and "l" and IAndLByContext
  // decides between them once the line is read; 0 otherwise. A bar lies
  // within a pixel of any stem, so bars are kept out of the comparison by
  // pixels and by shape and read by this strict rule instead.
  size_t ReadBar(const Picture24& bitmap, const TextLine& line, size_t index,
                 const CharacterMatrix& matrix, const OcrSettings& settings);
  // The body of the bar ReadBar last read, set upright: what the I and l
  // rules see.
  const Glyph& UprightBar() const { return bar_; }

  // The entry a part of a box of `line` (its glyph and box, as a split
  // cuts it) reads as once leaned, when it reaches `floor` (at least
  // kSlantSimilarity) and leads other texts by the margin; number 0
  // otherwise. Small marks are not read so.
  EntryMatch ReadPart(const Picture24& bitmap, const TextLine& line, const Glyph& glyph,
                      const CharBox& box, const CharacterMatrix& matrix,
                      const OcrSettings& settings, int floor);

 private:
  struct Best {
    size_t number = 0;
    int similarity = 0;
    int rival = 0;  // the best similarity of another text
  };

  // An italic box is set upright by the line's slant and by slants up to
  // kLeanSteps steps of kLeanStep either side of it.
  static constexpr float kLeanStep = 0.02f;
  static constexpr int kLeanSteps = 2;
  float UprightLean(int step) const { return -slant_ + kLeanStep * static_cast<float>(step); }

  // Measures the line's slant once per line.
  void Measure(const Picture24& bitmap, const TextLine& line);
  // The best entry for the box's glyph `rows` leaned, from `floor`.
  EntryMatch Leaned(const GlyphRows& rows, const CharBox& box, const CharacterMatrix& matrix,
                    const OcrSettings& settings, int floor) const;
  // The entry a small mark (a full stop, the dots of a colon) reads as,
  // compared by its pieces' layout; 0 when none, or entries of two texts,
  // fit.
  size_t ReadSmallMark(const MarkPieces& pieces, int count, const CharBox& box,
                       const CharacterMatrix& matrix) const;
  // The line's slant: the median of its letters' slants, 0 below the
  // italic threshold.
  void MeasureLine(const Picture24& bitmap, const TextLine& line);
  // Compares the box leaned by the slant each entry has beyond it (or
  // short of it, on an italic line).
  void ConsiderEntryLeans(const GlyphRows& rows, const CharBox& box, const CharacterMatrix& matrix,
                          const OcrSettings& settings, Best& best) const;
  // Scores the leaned box (`rows`, `width` columns of ink) against entry
  // `number` and keeps it when it is the best or the best of another text.
  void Consider(const GlyphRows& rows, int width, const CharBox& box, size_t number,
                const CharacterMatrix& matrix, const OcrSettings& settings, Best& best) const;
  // Keeps entry `number` in `best` when it is the most similar, or the
  // most similar of another text.
  static void Keep(size_t number, int similarity, const CharacterMatrix& matrix, Best& best);
  // Brings the upright box (`rows`, `width` x the box's height) onto one
  // grid with each entry that may be its upright form and keeps the
  // closest, and the closest of another text, in `best`.
  void ConsiderShapes(const GlyphRows& rows, int width, const CharBox& box,
                      const CharacterMatrix& matrix, const OcrSettings& settings, Best& best) const;

  // Sets the box `rows` upright by the line's slant or a step either side
  // of it so that its body is a plain bar, into `leaned` and `bar_`;
  // returns the leaned width, 0 when no lean makes it one.
  int UprightBarOf(const GlyphRows& rows, const CharBox& box, GlyphRows& leaned);

  Glyph bar_;                  // the last bar read, set upright
  std::vector<float> slopes_;  // of the line's boxes
  float slant_ = 0;            // of the line, 0 when upright
  bool measured_ = false;
};

}  // namespace capter
