// How closely two drawings of one shape lie when each size hints its strokes
// onto its own grid: a stroke that sits a row or column off costs nothing,
// ink further from the other shape's ink costs by how far it lies.
#pragma once

#include "ocr/glyph.h"

namespace capter {

// Furthest distance (in pixels past the forgiven one) a single ink pixel is
// charged for: a stroke the other shape lacks altogether costs this much.
inline constexpr int kShapeFarCost = 3;

// `rows` (`width` x `height`) grown by one pixel in all eight directions,
// within the grid.
void GrowInk(const GlyphRows& rows, int width, int height, GlyphRows& out);

// Closeness in thousandths of two shapes on one `width` x `height` grid:
// every ink pixel of either shape costs how many pixels (up to
// kShapeFarCost) it lies beyond one pixel from the other shape's ink, the
// distance counted in steps in any of eight directions; 1000 less the cost
// per ink pixel of both. 1000 when they lie within a pixel of each other
// everywhere, 0 when either is empty. Stops early, with some value below
// `floor`, once the closeness cannot reach it.
int ShapeCloseness(const GlyphRows& a, const GlyphRows& b, int width, int height, int floor = 0);

}  // namespace capter
