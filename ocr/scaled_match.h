// Reading letters at sizes never taught: a box that no entry matches at its
// own size is compared with entries of other sizes, each entry's glyph
// resampled to the box's width and height; failing that, by shape, both
// brought onto one grid where a stroke a pixel off costs nothing; on a
// slanted line, also with upright entries sheared by the line's slant, and
// failing every other reading, with the box set upright by the line's slant
// and compared with entries of other sizes, alone or, for touching letters,
// two or three drawn side by side. Full stops and colons read by the factor
// of their line.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ocr/character_matrix.h"
#include "ocr/composite_match.h"
#include "ocr/glyph.h"
#include "ocr/line_table.h"
#include "ocr/ocr_settings.h"
#include "ocr/slant_match.h"
#include "ocr/touching_split.h"
#include "stream/picture.h"

namespace capter {

// Similarity (thousandths) a resampled entry must reach to read a box; a
// small box needs less by what two misses cost at its size.
inline constexpr int kOtherSizeSimilarity = 930;
// How far the best entry must lead the best one with a different text.
inline constexpr int kOtherSizeMargin = 20;
// Closeness (ShapeCloseness, thousandths) an entry brought to a common grid
// with the box must reach to read it when the pixel score does not.
inline constexpr int kShapeCloseness = 975;
// How far the closest entry must lead the closest one of a different text.
inline constexpr int kShapeMargin = 30;
// The coarsest grid (rows) shapes are compared on, and the narrowest
// drawing compared by shape.
inline constexpr int kShapeGridHeight = 20;
inline constexpr int kShapeMinWidth = 5;

// Whether a glyph is a dot (a full stop): small (of two pixels or more,
// below the height compared at other sizes each way), about as wide as
// high, and at least four fifths inked.
bool IsDot(const GlyphRows& rows, int width, int height);

// A grid two drawings are brought to.
struct ShapeGrid {
  int width = 0;
  int height = 0;
};

// Where a glyph's ink lies: the percentage of set pixels in each cell of a
// 3 x 3 grid over its box, which does not change with the size.
using Layout = std::array<uint8_t, 9>;
Layout LayoutOf(const GlyphRows& rows, int width, int height);
int LayoutDistance(const Layout& a, const Layout& b);

// How far a glyph leans: the columns its rows' middles move right per row
// up (least squares); 0 for fewer than three rows with ink.
float SlantOf(const GlyphRows& rows, int width, int height);

// `rows` sheared right by `slant` columns per row up from the bottom row;
// returns the sheared width (the entry's box sheared whole), 0 when it would
// pass 45 or the slant is negative.
int ShearRows(const GlyphRows& rows, int width, int height, float slant, GlyphRows& out);

// The rows of a `width` x `height` glyph resampled to `toWidth` x
// `toHeight` (each 1..45): a pixel is set when at least half its area
// covers set pixels of the source.
void ResampleRows(const GlyphRows& rows, int width, int height, int toWidth, int toHeight,
                  GlyphRows& out);

// How closely the box's shape (`rows`, the box's size) and the entry's lie
// (ShapeCloseness) once both are on one grid: the smaller drawing's, but
// no coarser than kShapeGridHeight rows, in the box's proportions. A
// drawing brought down keeps every pixel it covers a third of, so a thin
// stroke does not vanish between two pixels. 0 for sizes past 45.
int OtherSizeCloseness(const GlyphRows& rows, const CharBox& box, const GlyphRows& entryRows,
                       const EntrySize& size);

// The scale at which entry `size` would be drawn as `box`: from their
// summed width and height; 0 when the entry cannot be that box (width,
// height and top offset do not scale by about one factor, or the factor
// is out of range).
float OtherSizeFactor(const EntrySize& size, const CharBox& box);

// Whether `factor` is one letters are drawn at (about 0.4 to 2.5 times a
// taught size) and an entry whose top lies `entryTop` rows below its
// line's top, drawn at it, has its top where `box` has (within a pixel
// plus a tenth of the larger of the box's height and the expected offset).
bool FactorPlaces(float factor, int entryTop, const CharBox& box);

// The similarity `box` needs to read as an entry of another size:
// kOtherSizeSimilarity less what two misses cost at the box's size, at most
// the margin, so a small box is not held to a closer likeness than a large
// one (at 12 x 16 pixels two stray pixels take 20 thousandths, at 30 x 40
// three).
int OtherSizeSimilarity(const CharBox& box);

// The similarity `box` needs to read resampled as an entry of about its
// size (one within the tolerances of matching, which compared it unscaled):
// kOtherSizeSimilarity whatever the box's size, and 990 when the box is
// wider and lower than the entry or narrower and taller.
int NearSizeSimilarity(const EntrySize& size, const CharBox& box);

class RowResampler;

// Drawings brought onto other grids (entries resampled to boxes, boxes to
// entries, both onto shape grids), kept across boxes and lines: the
// letters of one size meet the same entries on the same grids again and
// again. A slot keeps a copy of the drawing it was made from and is used
// only for that very drawing, so an entry the matrix changed since is
// brought onto the grid afresh. Its slots are made once, on first use;
// the returned rows stay valid until the next call.
class GridCache {
 public:
  // `rows` (`width` x `height`; `key` an entry's number or a box's
  // KeyOf) on the `toWidth` x `toHeight` grid (every size 1..45), each
  // target pixel set when `numerator`/`denominator` of it is covered.
  const GlyphRows& Onto(size_t key, const GlyphRows& rows, int width, int height, int toWidth,
                        int toHeight, int numerator, int denominator);
  // The key a box's drawing is kept under.
  static size_t KeyOf(const GlyphRows& rows, int height);

 private:
  struct Slot {
    size_t key = 0;
    uint64_t used = 0;  // when it was last asked for
    uint8_t width = 0, height = 0, toWidth = 0, toHeight = 0;
    uint8_t numerator = 0, denominator = 0;
    GlyphRows source{};
    GlyphRows rows{};
  };
  std::vector<Slot> slots_;
  uint64_t clock_ = 0;
};

// Reads the boxes of one line that no entry matches at their own size.
// Across the line the factors must agree: a candidate whose factor no other
// box of the line shares is dropped (unless no other box reads at another
// size). On a line whose letters lean, upright entries are also compared
// sheared by the line's slant. Keeps its buffers between lines, so it stops
// allocating once it has read its longest line.
class OtherSizeReader {
 public:
  // Forgets the line read so far: call it for every new line and whenever
  // the matrix changed.
  void StartLine() { ready_ = false; }

  // The entry box `index` of `line` reads as at another size, or 0. The
  // first call after StartLine weighs the boxes from `index` to the end of
  // the line together.
  size_t Read(const Picture24& bitmap, const TextLine& line, size_t index,
              const CharacterMatrix& matrix, const OcrSettings& settings);

  // The entry box `index` of `line` reads as once set upright by the
  // line's slant, at another size, or 0: for a box that neither Read nor
  // the reader of the other slant reads. Two freedoms at once ask for more
  // than each alone: the factor must be one another box of the line reads
  // at, the entry must lead every other text (any factor, any way of
  // reading) by the margin and enclose as many holes as the box.
  size_t ReadUpright(const Picture24& bitmap, const TextLine& line, size_t index,
                     const CharacterMatrix& matrix, const OcrSettings& settings);

  // Box `index` of `line` read as two or three touching letters at another
  // size, for a box that nothing else reads (not ReadUpright, nor a split
  // at its own size): set upright as ReadUpright sets it and compared
  // whole with entries drawn side by side at a factor another box of the
  // line reads at. The composite must reach the similarity a single entry
  // needs, lead every composite and every entry of another text by the
  // margin and enclose as many holes as the box. Each part's box is the
  // whole box. No parts when nothing reads it so.
  SplitReading ReadUprightTouching(const Picture24& bitmap, const TextLine& line, size_t index,
                                   const CharacterMatrix& matrix, const OcrSettings& settings);

  // The most similar entry at another size for box `index` of the line
  // last read, whose factor the line shares, even when it falls short of
  // the similarity or the margin a reading needs (it came within the
  // margin of the similarity); 0 when none came near or the box was not
  // weighed since the line was started.
  size_t Nearest(size_t index) const;

 private:
  struct Candidate {
    size_t number = 0;
    int similarity = 0;
    float factor = 0;
  };
  struct BoxCandidates {
    Glyph glyph;
    bool unknown = false;  // no entry matches it at its own size
    size_t first = 0;      // into candidates_
    size_t count = 0;
    size_t shapeFirst = 0;  // into shapes_
    size_t shapeCount = 0;
    size_t uprightFirst = 0;  // into uprights_
    size_t uprightCount = 0;
    size_t chosen = 0;                  // entry number, 0 for none
    size_t upright = 0;                 // read set upright, 0 for none
    int needed = kOtherSizeSimilarity;  // the similarity it needs to read
    int markCount = 0;                  // unknown and made of solid dots: how many
    MarkPieces mark{};
    bool tick = false;  // unknown and a tick (OneTick) of a mark's size
  };

  // Weighs the line from box `from` unless it was weighed from there.
  void Prepare(const Picture24& bitmap, const TextLine& line, size_t index,
               const CharacterMatrix& matrix, const OcrSettings& settings);
  void ReadLine(const Picture24& bitmap, const TextLine& line, size_t from,
                const CharacterMatrix& matrix, const OcrSettings& settings);
  // The mark of solid dots entry box `index` (from from_) reads as: one
  // whose dots scale to the box's (DotsScale) by a factor another box of
  // the line reads at; 0 when none does or marks of different texts do.
  size_t ChooseMark(size_t index, const CharBox& box, const CharacterMatrix& matrix);
  // The tick entry box `index` (from from_) reads as: one lower than
  // kMinHeight drawn as the box (TickScales) by a factor another box of the
  // line reads at; 0 when none does or ticks of different texts do.
  size_t ChooseTick(size_t index, const CharBox& box, const CharacterMatrix& matrix);
  // Finds each entry's solid dots and whether it is a small tick, once a line.
  void KnowMarks(const CharacterMatrix& matrix);
  // The box set upright by the line's slant and by slants a little either
  // side of it, each drawing once, into upright_; returns how many.
  size_t DrawUpright(const GlyphRows& rows, const CharBox& box);
  // Compares the box set upright by the line's slant (and a little either
  // side) with the entries of other sizes.
  void CollectUpright(const GlyphRows& rows, const CharBox& box, const CharacterMatrix& matrix);
  // The entry box `index` (from from_) reads as set upright (see
  // ReadUpright), or 0.
  size_t ChooseUpright(size_t index, const CharacterMatrix& matrix) const;
  // Measures the line's slant and every entry's layout.
  void PrepareEntries(const CharacterMatrix& matrix);
  // Appends the entries of other sizes that come near the box.
  void Collect(const Glyph& glyph, const CharBox& box, const CharacterMatrix& matrix,
               const OcrSettings& settings);
  // Compares entry `number` sheared by the line's slant, when its sheared
  // box is the box's size.
  void CollectSheared(const GlyphRows& rows, const Layout& layout, const CharBox& box,
                      size_t number, const CharacterMatrix& matrix);
  // Compares entry `number` (drawn as the box at `factor`, not 0) by
  // shape on a common grid with the box, when its layout comes near.
  void CollectShape(const GlyphRows& rows, const Layout& layout, const CharBox& box, size_t number,
                    float factor, const CharacterMatrix& matrix, RowResampler& resampler);
  // The similarity a comparison must reach to be kept among the current
  // box's in `list`, whose first is `first`.
  int Floor(const std::vector<Candidate>& list, size_t first) const;
  // Adds a candidate (factor 0: none) among the current box's in `list`,
  // whose first is `first`, keeping the most similar.
  static void Keep(std::vector<Candidate>& list, size_t first, const Candidate& candidate);
  // The closest candidate by shape of box `index` (from from_) whose
  // factor agrees with the line, reaches kShapeCloseness, leads every other
  // text by kShapeMargin and encloses as many holes as the box; 0 otherwise.
  size_t ChooseByShape(size_t index, const CharacterMatrix& matrix) const;
  // Whether another box of the line reads at about `factor` (or no other
  // box reads at another size at all).
  bool Agrees(float factor, size_t box) const;
  // The most similar candidate of box `index` (from from_) whose factor
  // agrees with the line, when it leads every other text by the margin; 0
  // otherwise.
  size_t Choose(size_t index, const CharacterMatrix& matrix) const;
  // The most similar candidate of box `index` (from from_) whose factor
  // agrees with the line, or null.
  const Candidate* Best(size_t index) const;

  struct Upright {
    GlyphRows rows;
    CharBox box;
    Layout layout;
    size_t key;
  };
  std::array<Upright, 5> upright_{};  // the line's slant and two steps either side

  std::vector<Candidate> candidates_;
  std::vector<Candidate> shapes_;    // similarity: the closeness of the shapes
  std::vector<Candidate> uprights_;  // the boxes set upright
  std::vector<BoxCandidates> boxes_;
  struct BoxFactor {
    float factor = 0;
    size_t box = 0;  // from from_
  };
  // Whether another box than `box` has a factor in `factors` (ascending)
  // within the line's tolerance of `factor`, or fewer than two boxes read.
  static bool SharedFactor(const std::vector<BoxFactor>& factors, size_t readingBoxes, float factor,
                           size_t box);

  std::vector<BoxFactor> factors_;         // of every candidate that reads, ascending
  std::vector<BoxFactor> shapeFactors_;    // the same with the readings by shape
  std::vector<BoxFactor> uprightFactors_;  // and with the boxes set upright
  size_t shapeReadingBoxes_ = 0;           // boxes read either way
  size_t first_ = 0;                       // the current box's first candidate
  size_t shapeFirst_ = 0;                  // and its first in shapes_
  size_t boxKey_ = 0;                      // the current box's GridCache key
  ShapeGrid boxGrid_;                      // the grid boxOnGrid_ holds the box on
  GlyphRows boxOnGrid_{};
  int needed_ = kOtherSizeSimilarity;  // by the current box
  size_t readingBoxes_ = 0;            // boxes with a candidate that reads
  GridCache grids_;                    // entries resampled and on shape grids
  CompositeReader composite_;          // touching letters set upright
  std::vector<float> lineFactors_;     // the factors other boxes read at
  std::vector<Layout> layouts_;        // of every entry, by number
  std::vector<uint8_t> markCounts_;    // each entry's solid dots (0: none), by number
  std::vector<MarkPieces> marks_;      // and where they lie
  std::vector<uint8_t> ticks_;         // whether each entry is a small tick, by number
  bool marksKnown_ = false;            // whether the two above are for this line
  std::vector<float> slopes_;          // of the line's boxes
  float slant_ = 0;                    // of the line, 0 when upright
  float uprightSlant_ = 0;             // what sets its boxes upright, 0 for none
  size_t from_ = 0;
  bool ready_ = false;
};

}  // namespace capter
