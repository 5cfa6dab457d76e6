#include "ocr/composite_match.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "ocr/scaled_match.h"
#include "ocr/shape_distance.h"

namespace capter {
namespace {

// Entries lower than this carry too few pixels to judge a scale, as for a
// single letter of another size.
constexpr int kMinPartHeight = 8;
// Factors compared per box: the box's height over a few entries'.
constexpr size_t kMaxFactors = 8;
// The share of a part's ink that must lie within a pixel of the box's ink
// for the part to be placed there.
constexpr int kInsideNumerator = 9;
constexpr int kInsideDenominator = 10;

// How far two neighbouring parts may overlap: a kerning's few columns, a
// quarter of the narrower one at most (and at least one column), less than
// the stem an "r" and an "n" would share to pass for an "m"; they may also
// lie a column apart, as resampling rounds.
bool Kerned(int leftEnd, int rightStart, int leftWidth, int rightWidth) {
  const int overlap = leftEnd - rightStart;
  return overlap >= -1 && overlap <= std::max(1, std::min(leftWidth, rightWidth) / 4);
}

// Whether nearly all the ink of a part (`rows`, `ink` pixels) drawn from
// column `x` lies within a pixel of the box's ink (`grown`): its
// neighbours add ink to the box, they take none away.
bool LiesIn(const GlyphRows& rows, int ink, int x, const GlyphRows& grown, int height) {
  const int allowed = ink * (kInsideDenominator - kInsideNumerator) / kInsideDenominator;
  int outside = 0;
  for (int y = 0; y < height; ++y) {
    outside += std::popcount((rows[y] << x) & ~grown[y]);
    if (outside > allowed) return false;
  }
  return ink > 0;
}

// A composite's text, its parts' texts side by side, without allocating.
struct TextKey {
  std::array<char, kMaxCompositeParts * CharacterMatrix::kMaxEntryText> chars{};
  size_t length = 0;

  void Set(const CharacterMatrix& matrix, const size_t* numbers, int parts) {
    length = 0;
    for (int i = 0; i < parts; ++i) {
      for (const char c : matrix.Entry(numbers[i]).text) {
        if (length < chars.size()) chars[length++] = c;
      }
    }
  }
  friend bool operator==(const TextKey& a, const TextKey& b) {
    return a.length == b.length &&
           std::equal(a.chars.begin(), a.chars.begin() + a.length, b.chars.begin());
  }
};

}  // namespace

std::string CompositeText(const CompositeReading& reading, const CharacterMatrix& matrix) {
  std::string text;
  for (int i = 0; i < reading.parts; ++i)
    text += matrix.Entry(reading.numbers[static_cast<size_t>(i)]).text;
  return text;
}

void CompositeReader::Read(const UprightDrawing* drawings, size_t count, const CharBox& box,
                           const CharacterMatrix& matrix, const std::vector<float>& factors,
                           float tolerance, int floor, GridCache& grids) {
  reading_ = {};
  const int height = box.Height;
  if (height < kMinPartHeight || height > kGlyphSize) return;
  int widest = 0;
  for (size_t i = 0; i < count; ++i) widest = std::max(widest, drawings[i].width);
  if (widest > kGlyphSize) return;
  // The factor is the box's height over an entry's that spans it, placed
  // where the box lies in its line, and one another box of the line reads
  // at.
  tried_.clear();
  for (size_t n = 1; n <= matrix.Count() && tried_.size() < kMaxFactors; ++n) {
    const EntrySize& size = matrix.Size(n);
    if (matrix.Entry(n).text.empty() || size.height < kMinPartHeight || size.height > kGlyphSize) {
      continue;
    }
    const float factor = static_cast<float>(height) / size.height;
    if (!FactorPlaces(factor, size.topOffset, box)) continue;
    const auto low = std::lower_bound(factors.begin(), factors.end(), factor * (1 - tolerance));
    if (low == factors.end() || *low > factor * (1 + tolerance)) continue;
    // Factors that draw the box's height alike are one.
    if (std::any_of(tried_.begin(), tried_.end(), [&](float f) {
          return std::fabs(f - factor) * static_cast<float>(height) < 0.5f;
        })) {
      continue;
    }
    tried_.push_back(factor);
    // The entry spans the box: its top is the box's top row.
    DrawParts(widest, height, static_cast<int>(std::lround(size.topOffset * factor)), factor,
              matrix, grids);
    for (size_t i = 0; i < count; ++i) {
      CompareAt(*drawings[i].rows, drawings[i].width, height, factor, matrix, floor);
    }
  }
}

void CompositeReader::DrawParts(int width, int height, int boxTop, float factor,
                                const CharacterMatrix& matrix, GridCache& grids) {
  parts_.clear();
  for (size_t n = 1; n <= matrix.Count(); ++n) {
    const EntrySize& size = matrix.Size(n);
    if (matrix.Entry(n).text.empty() || size.height < kMinPartHeight || size.width < 1 ||
        size.width > kGlyphSize || size.height > kGlyphSize) {
      continue;
    }
    const int w = static_cast<int>(std::lround(size.width * factor));
    const int h = static_cast<int>(std::lround(size.height * factor));
    const int y = static_cast<int>(std::lround(size.topOffset * factor)) - boxTop;
    // Narrow drawings lie within a pixel of any stem.
    if (w < kShapeMinWidth || w >= width || h < 1 || h > kGlyphSize || y < -1 || y + h > height + 1)
      continue;
    Part& part = parts_.emplace_back();
    part.number = n;
    part.width = w;
    const GlyphRows& drawn = grids.Onto(n, matrix.Rows(n), size.width, size.height, w, h, 1, 2);
    for (int r = std::max(0, -y); r < h && y + r < height; ++r) {
      part.rows[y + r] = drawn[r];
      part.ink += std::popcount(drawn[r]);
    }
  }
}

void CompositeReader::Window(const GlyphRows& grown, int height, int width, Slot slot,
                             std::vector<Placed>& out) const {
  out.clear();
  // Where the first parts end and the last parts start: a middle part
  // lies between them, kerned to both.
  int firstEnds[2] = {width, 0}, lastStarts[2] = {width, 0};
  for (const Placed& l : lefts_) {
    firstEnds[0] = std::min(firstEnds[0], parts_[l.part].width);
    firstEnds[1] = std::max(firstEnds[1], parts_[l.part].width);
  }
  for (const Placed& r : rights_) {
    lastStarts[0] = std::min(lastStarts[0], r.x);
    lastStarts[1] = std::max(lastStarts[1], r.x);
  }
  for (size_t p = 0; p < parts_.size(); ++p) {
    const Part& part = parts_[p];
    if (part.width >= width) continue;
    int first = 0, last = 0;
    if (slot == Slot::Last) {
      first = last = width - part.width;
    } else if (slot == Slot::Middle) {
      const int overlap = std::max(1, part.width / 4);
      first = std::max({1, firstEnds[0] - overlap, lastStarts[0] - 1 - part.width});
      last = std::min(
          {width - part.width - 1, firstEnds[1] + 1, lastStarts[1] + overlap - part.width});
    }
    for (int x = first; x <= last; ++x) {
      if (LiesIn(part.rows, part.ink, x, grown, height)) out.push_back(Placed{p, x});
    }
  }
}

void CompositeReader::CompareAt(const GlyphRows& rows, int width, int height, float factor,
                                const CharacterMatrix& matrix, int floor) {
  if (width < 2) return;
  GlyphRows grown;
  GrowInk(rows, width, height, grown);
  Window(grown, height, width, Slot::First, lefts_);
  if (lefts_.empty()) return;
  Window(grown, height, width, Slot::Last, rights_);
  if (rights_.empty()) return;
  Window(grown, height, width, Slot::Middle, middles_);
  const auto end = [this](const Placed& p) { return p.x + parts_[p.part].width; };
  const auto wide = [this](const Placed& p) { return parts_[p.part].width; };
  for (const Placed& l : lefts_) {
    for (const Placed& r : rights_) {
      if (Kerned(end(l), r.x, wide(l), wide(r))) {
        Record(rows, width, height, factor, matrix, floor, {l, r});
      }
      for (const Placed& m : middles_) {
        if (Kerned(end(l), m.x, wide(l), wide(m)) && Kerned(end(m), r.x, wide(m), wide(r))) {
          Record(rows, width, height, factor, matrix, floor, {l, m, r});
        }
      }
    }
  }
}

void CompositeReader::Record(const GlyphRows& rows, int width, int height, float factor,
                             const CharacterMatrix& matrix, int floor,
                             std::initializer_list<Placed> placed) {
  GlyphRows drawing{};
  std::array<size_t, kMaxCompositeParts> numbers{};
  int count = 0;
  for (const Placed& p : placed) {
    const Part& part = parts_[p.part];
    numbers[static_cast<size_t>(count++)] = part.number;
    for (int y = 0; y < height; ++y) drawing[y] |= part.rows[y] << p.x;
  }
  const int similarity = ShapeCloseness(rows, drawing, width, height, floor);
  if (similarity < floor) return;
  TextKey text, best;
  text.Set(matrix, numbers.data(), count);
  best.Set(matrix, reading_.numbers.data(), reading_.parts);
  CompositeReading& r = reading_;
  if (r.parts != 0 && similarity <= r.similarity) {
    if (!(text == best)) r.rival = std::max(r.rival, similarity);
    return;
  }
  if (r.parts != 0 && !(text == best)) r.rival = std::max(r.rival, r.similarity);
  r.numbers = numbers;
  r.parts = count;
  r.similarity = similarity;
  r.factor = factor;
  r.drawing = drawing;
  r.box = rows;
  r.width = width;
}

}  // namespace capter
