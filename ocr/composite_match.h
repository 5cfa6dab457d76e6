// Touching letters at another size: a box that nothing reads, set upright,
// compared whole with two or three entries drawn side by side at one factor
// (each entry resampled to the factor, placed by its top offset, the parts
// overlapping by at most a kerning's few columns). Cut apart, touching
// letters lose the strokes they share; drawn together, the composite
// shows them as the box does.
#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

#include "ocr/character_matrix.h"
#include "ocr/glyph.h"

namespace capter {

class GridCache;

// The most parts a composite is drawn from.
inline constexpr int kMaxCompositeParts = 3;

// The best composite found so far, and the best of another text.
struct CompositeReading {
  std::array<size_t, kMaxCompositeParts> numbers{};  // entry numbers, left to right
  int parts = 0;                                     // 0 when none came near
  int similarity = 0;                                // thousandths
  int rival = 0;  // the best similarity of a composite of another text
  float factor = 0;
  GlyphRows drawing{};  // the composite, the box's size
  GlyphRows box{};      // the upright drawing it was compared with
  int width = 0;        // of both
};

// The text of a composite: its entries' texts side by side.
std::string CompositeText(const CompositeReading& reading, const CharacterMatrix& matrix);

// Compares upright drawings of one box with composites of entries. Keeps
// its buffers between boxes.
class CompositeReader {
 public:
  // Forgets the box: call it before the first drawing of every box.
  void Start() { reading_ = {}; }

  // Compares `rows` (`width` x `height`, the box set upright; the box lies
  // `topOffset` rows below its line's top) with composites of two or three
  // entries, each drawn at one factor from `factors` (ascending: the
  // factors other boxes of the line read at; a composite's factor must lie
  // within `tolerance` of one). Keeps composites reaching `floor`.
  void Compare(const GlyphRows& rows, int width, int height, int topOffset,
               const CharacterMatrix& matrix, const std::vector<float>& factors, float tolerance,
               int floor, GridCache& grids);

  const CompositeReading& Reading() const { return reading_; }

 private:
  // One entry drawn at the factor, placed on the box's rows.
  struct Part {
    size_t number = 0;
    int width = 0;
    GlyphRows rows{};  // the box's rows
  };
  // A part at a column, with how well it alone matches the box's columns
  // it covers.
  struct Placed {
    size_t part = 0;  // into parts_
    int x = 0;
    int score = 0;
  };

  void CompareAt(const GlyphRows& rows, int width, int height, int boxTop, float factor,
                 const CharacterMatrix& matrix, int floor, GridCache& grids);
  // Draws every entry that fits the box's rows at `factor` into parts_,
  // each placed by its top offset (`boxTop`: the box's top row, drawn at
  // the factor).
  void DrawParts(int width, int height, int boxTop, float factor, const CharacterMatrix& matrix,
                 GridCache& grids);
  // The best few placements of a part starting in columns [from, to],
  // each scored against the box's columns it covers, into `out`.
  void Window(const GlyphRows& rows, int height, int from, int to, bool rightAligned, int width,
              std::vector<Placed>& out) const;
  // Scores the composite of `placed` (left to right) and keeps it.
  void Record(const GlyphRows& rows, int width, int height, float factor,
              const CharacterMatrix& matrix, int floor, std::initializer_list<Placed> placed);

  CompositeReading reading_;
  std::vector<Part> parts_;
  std::vector<Placed> lefts_, rights_, middles_;
  std::vector<float> tried_;  // the factors compared for the current drawing
};

}  // namespace capter
