#include "ocr/shape_distance.h"

#include <algorithm>
#include <bit>

namespace capter {
namespace {

// Adds to `cost` the pixels of `ink` further than one pixel from `other`,
// each counted once per pixel of distance past the first, up to
// kShapeFarCost; stops once `cost` passes `budget`.
void AddCost(const GlyphRows& ink, const GlyphRows& other, int width, int height, int budget,
             int& cost) {
  GlyphRows grown = other;
  for (int k = 0; k < kShapeFarCost && cost <= budget; ++k) {
    GrowInk(grown, width, height, grown);
    int beyond = 0;
    for (int y = 0; y < height; ++y) beyond += std::popcount(ink[y] & ~grown[y]);
    if (beyond == 0) break;
    cost += beyond;
  }
}

int InkOf(const GlyphRows& rows, int height) {
  int ink = 0;
  for (int y = 0; y < height; ++y) ink += std::popcount(rows[y]);
  return ink;
}

}  // namespace

void GrowInk(const GlyphRows& rows, int width, int height, GlyphRows& out) {
  width = std::clamp(width, 0, kGlyphSize);
  height = std::clamp(height, 0, kGlyphSize);
  const GlyphRow mask = (GlyphRow{1} << width) - 1;
  GlyphRows wide{};
  for (int y = 0; y < height; ++y) wide[y] = (rows[y] | (rows[y] << 1) | (rows[y] >> 1)) & mask;
  out.fill(0);
  for (int y = 0; y < height; ++y) {
    out[y] = wide[y] | (y > 0 ? wide[y - 1] : 0) | (y + 1 < height ? wide[y + 1] : 0);
  }
}

int ShapeCloseness(const GlyphRows& a, const GlyphRows& b, int width, int height, int floor) {
  width = std::clamp(width, 0, kGlyphSize);
  height = std::clamp(height, 0, kGlyphSize);
  const GlyphRow mask = (GlyphRow{1} << width) - 1;
  GlyphRows inA{}, inB{};
  for (int y = 0; y < height; ++y) {
    inA[y] = a[y] & mask;
    inB[y] = b[y] & mask;
  }
  const int inkA = InkOf(inA, height), inkB = InkOf(inB, height);
  if (inkA == 0 || inkB == 0) return 0;
  const int ink = inkA + inkB;
  // The cost at which the closeness falls below the floor.
  const int budget = (1000 - std::clamp(floor, 0, 1000)) * ink / 1000;
  int cost = 0;
  AddCost(inA, inB, width, height, budget, cost);
  AddCost(inB, inA, width, height, budget, cost);
  return std::max(0, 1000 - 1000 * cost / ink);
}

}  // namespace capter
