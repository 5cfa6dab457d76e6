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
#include "ocr/line_table.h"

namespace capter {

class GridCache;

// The most parts a composite is drawn from.
inline constexpr int kMaxCompositeParts = 3;

// The best composite of a box, and how close the best of another text came.
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

// One drawing of a box set upright: its rows and inked width.
struct UprightDrawing {
  const GlyphRows* rows = nullptr;
  int width = 0;
};

// Compares upright drawings of one box with composites of entries. Keeps
// its buffers between boxes.
class CompositeReader {
 public:
  // Compares `count` drawings of `box` set upright (each of the box's
  // height) with composites of two or three entries, each drawn at one
  // factor another box of the line reads at (`factors`, ascending: a
  // composite's factor must lie within `tolerance` of one), by shape
  // (ShapeCloseness). Keeps composites reaching `floor`; forgets the box
  // read before.
  void Read(const UprightDrawing* drawings, size_t count, const CharBox& box,
            const CharacterMatrix& matrix, const std::vector<float>& factors, float tolerance,
            int floor, GridCache& grids);

  const CompositeReading& Reading() const { return reading_; }

 private:
  // One entry drawn at the factor, placed on the box's rows.
  struct Part {
    size_t number = 0;
    int width = 0;
    int ink = 0;       // pixels set
    GlyphRows rows{};  // the box's rows
  };
  // A part at a column.
  struct Placed {
    size_t part = 0;  // into parts_
    int x = 0;
  };

  // Compares one drawing with the composites of parts_.
  void CompareAt(const GlyphRows& rows, int width, int height, float factor,
                 const CharacterMatrix& matrix, int floor);
  // Draws every entry narrower than `width` that fits the box's rows at
  // `factor` into parts_, each placed by its top offset (`boxTop`: the
  // box's top row, drawn at the factor).
  void DrawParts(int width, int height, int boxTop, float factor, const CharacterMatrix& matrix,
                 GridCache& grids);
  // Where a part may lie: from the box's first column, up to its last, or
  // between the two (kerned to the first and last parts placed).
  enum class Slot { First, Last, Middle };
  // The placements of every part in `slot` whose ink lies in the box's
  // (`grown`: its ink grown by a pixel), into `out`.
  void Window(const GlyphRows& grown, int height, int width, Slot slot,
              std::vector<Placed>& out) const;
  // Scores the composite of `placed` (left to right) and keeps it.
  void Record(const GlyphRows& rows, int width, int height, float factor,
              const CharacterMatrix& matrix, int floor, std::initializer_list<Placed> placed);

  CompositeReading reading_;
  std::vector<Part> parts_;
  std::vector<Placed> lefts_, rights_, middles_;
  std::vector<float> tried_;  // the factors compared for the current box
};

}  // namespace capter
