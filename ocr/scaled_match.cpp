#include "ocr/scaled_match.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>

#include "ocr/glyph_score.h"
#include "ocr/matcher.h"
#include "ocr/scaled_marks.h"
#include "ocr/shape_distance.h"
#include "ocr/slant_match.h"

namespace capter {
namespace {

// Letters are drawn from about 0.4 to 2.5 times a taught size.
constexpr float kMinFactor = 0.4f;
constexpr float kMaxFactor = 2.5f;
// Width and height may stray from the common factor by a pixel of rounding
// plus this share (hinting draws stems differently at each size).
constexpr float kSizeTolerance = 0.12f;
// The width the entry's shape gives at the box's height may stray by a
// pixel plus this share.
constexpr float kAspectTolerance = 0.13f;
// The top offset may stray by a pixel plus this share of the
// larger of the box's height and the expected offset.
constexpr float kTopTolerance = 0.1f;
// Two factors agree when they differ by at most this share.
constexpr float kLineTolerance = 0.12f;
// Smaller boxes and entries carry too few pixels to judge a scale (the dot
// of an "i" would pass for an apostrophe).
constexpr int kMinHeight = 8;
// A line whose letters lean by at least this (columns per row) is read as
// slanted: upright entries are also compared sheared by its slant.
constexpr float kMinSlant = 0.1f;
// Boxes it takes to measure a line's slant.
constexpr size_t kMinSlantBoxes = 3;
// A box is set upright only on a line leaning by at least this: upright
// type measures up to about the italic threshold.
constexpr float kMinUprightSlant = 0.15f;
// A box is set upright by the line's slant and by slants up to this many
// steps either side of it.
constexpr float kLeanStep = 0.02f;
constexpr int kLeanSteps = 2;
// What two misses cost, in thousandths times the box's pixels (a miss
// loses its hit and costs a penalty of at least one).
constexpr int kTwoMisses = 4000;
// The similarity an entry of about the box's size (within the tolerances
// of matching) needs resampled when the box is wider and lower than it, or
// narrower and taller: no change of size does that, another letter does (a
// serif "I" scores 984 as an "l" a column narrower and a row taller). Of
// about the box's size otherwise, it needs kOtherSizeSimilarity, not less
// for a small box: two touching letters ("ri") come within that of an "h".
constexpr int kCrossedSizeSimilarity = 990;
// Candidates a box keeps for the line's weighing.
constexpr size_t kMaxCandidates = 8;

// Boxes whose ink lies in another layout than a resampled entry's cannot
// match it; this spares most resamplings. Percent points summed over the
// nine cells.
constexpr int kMaxLayoutDistance = 250;
// A shape within a pixel of the box's everywhere lays its ink out more
// alike; the closer bound spares most comparisons by shape.
constexpr int kShapeMaxLayoutDistance = 160;

bool Near(float actual, float expected, float slack) {
  return std::fabs(actual - expected) <= slack;
}

// Source pixels covering target pixel t of `to` over `from` pixels, with
// their overlaps in units of 1/to of a source pixel.
struct AxisMap {
  std::array<uint8_t, 2 * kGlyphSize + 1> start{};  // per target, into source/weight
  std::array<uint8_t, 2 * kGlyphSize + 1> source{};
  std::array<uint8_t, 2 * kGlyphSize + 1> weight{};

  void Build(int from, int to) {
    int n = 0;
    for (int t = 0; t < to; ++t) {
      start[t] = static_cast<uint8_t>(n);
      const int lo = t * from, hi = (t + 1) * from;  // in units of 1/to
      for (int s = lo / to; s * to < hi; ++s) {
        source[n] = static_cast<uint8_t>(s);
        weight[n] = static_cast<uint8_t>(std::min(hi, (s + 1) * to) - std::max(lo, s * to));
        ++n;
      }
    }
    start[to] = static_cast<uint8_t>(n);
  }
};

}  // namespace

// Resamples a glyph a row at a time, so a comparison that stops early does
// not pay for the rows it never reads. A target pixel is set when at least
// half its area (or the share given) covers set source pixels.
class RowResampler {
 public:
  // The share of a target pixel's area that must be covered.
  struct Share {
    int numerator;
    int denominator;
  };
  static constexpr Share kHalf{1, 2};

  void Start(const GlyphRows& rows, int width, int height, int toWidth, int toHeight,
             Share share = kHalf) {
    rows_ = &rows;
    toWidth_ = toWidth;
    whole_ = width * height * share.numerator;
    scale_ = share.denominator;
    xs_.Build(width, toWidth);
    ys_.Build(height, toHeight);
    done_ = 0;
  }

  // Target row `ty`; rows are asked for from the top down.
  GlyphRow Row(int ty) {
    const int first = ys_.start[ty], last = ys_.start[ty + 1];
    // Across first: how much of each target column each source row covers,
    // in units of 1/toWidth of a pixel.
    while (done_ <= ys_.source[last - 1]) Across(done_++);
    // Then down: a target pixel covers width x height units.
    GlyphRow row = 0;
    for (int tx = 0; tx < toWidth_; ++tx) {
      int covered = 0;
      for (int i = first; i < last; ++i) covered += across_[ys_.source[i]][tx] * ys_.weight[i];
      if (scale_ * covered >= whole_) row |= GlyphRow{1} << tx;
    }
    return row;
  }

 private:
  void Across(int sy) {
    const GlyphRow source = (*rows_)[sy];
    for (int tx = 0; tx < toWidth_; ++tx) {
      int covered = 0;
      for (int k = xs_.start[tx]; k < xs_.start[tx + 1]; ++k) {
        covered += static_cast<int>((source >> xs_.source[k]) & 1) * xs_.weight[k];
      }
      across_[sy][tx] = static_cast<uint8_t>(covered);
    }
  }

  const GlyphRows* rows_ = nullptr;
  int toWidth_ = 0;
  int whole_ = 0;  // a target pixel's area times the share's numerator
  int scale_ = 2;  // the share's denominator
  int done_ = 0;   // source rows whose coverage is known
  AxisMap xs_, ys_;
  std::array<std::array<uint8_t, kGlyphSize>, kGlyphSize> across_;
};

namespace {

// Whether the glyph and entry `number` enclose as many holes.
bool SameHoles(const Glyph& glyph, const CharacterMatrix& matrix, size_t number) {
  GlyphRows rows;
  glyph.FillRows(rows);
  const EntrySize& size = matrix.Size(number);
  return HolesOf(rows, glyph.Width, glyph.Height) ==
         HolesOf(matrix.Rows(number), size.width, size.height);
}

struct Comparison {
  int similarity = 0;
  float factor = 0;  // 0 when the entry cannot be the box
};

// The entry (rows of `size`, drawn as the box at `factor`, 0 when it cannot
// be) resampled to the box and scored against the box's rows; factor 0 when
// it does not come near.
Comparison CompareResampled(const GlyphRows& rows, size_t boxKey, const Layout& layout,
                            const CharBox& box, float factor, size_t number,
                            const GlyphRows& entryRows, const EntrySize& size,
                            const Layout& entryLayout, int floor, GridCache& grids);

// A GridCache's slots: sets of a few, a drawing kept in any slot of the
// set its key and sizes pick; a power of two of sets.
constexpr size_t kGridSets = 1024;
constexpr size_t kGridWays = 4;

size_t SetOf(size_t key, int width, int height, int toWidth, int toHeight, int denominator) {
  for (const int part : {width, height, toWidth, toHeight, denominator}) {
    key = (key ^ static_cast<size_t>(part)) * 0x9e3779b97f4a7c15u;
  }
  return (key ^ (key >> 29)) & (kGridSets - 1);
}

}  // namespace

size_t GridCache::KeyOf(const GlyphRows& rows, int height) {
  // Past every entry number, so a box and an entry seldom share a slot.
  size_t key = CharacterMatrix::kMaxEntries + 1;
  for (int y = 0; y < height; ++y) key = (key ^ rows[y]) * 0x100000001b3u;
  return key;
}

const GlyphRows& GridCache::Onto(size_t key, const GlyphRows& rows, int width, int height,
                                 int toWidth, int toHeight, int numerator, int denominator) {
  if (slots_.empty()) slots_.resize(kGridSets * kGridWays);
  Slot* const set = &slots_[SetOf(key, width, height, toWidth, toHeight, denominator) * kGridWays];
  ++clock_;
  for (size_t way = 0; way < kGridWays; ++way) {
    Slot& slot = set[way];
    if (slot.key == key && slot.width == width && slot.height == height &&
        slot.toWidth == toWidth && slot.toHeight == toHeight && slot.numerator == numerator &&
        slot.denominator == denominator &&
        std::equal(rows.begin(), rows.begin() + height, slot.source.begin())) {
      slot.used = clock_;
      return slot.rows;
    }
  }
  // Made afresh in the slot of the set used longest ago.
  Slot& slot = *std::min_element(set, set + kGridWays,
                                 [](const Slot& a, const Slot& b) { return a.used < b.used; });
  slot.used = clock_;
  slot.key = key;
  slot.width = static_cast<uint8_t>(width);
  slot.height = static_cast<uint8_t>(height);
  slot.toWidth = static_cast<uint8_t>(toWidth);
  slot.toHeight = static_cast<uint8_t>(toHeight);
  slot.numerator = static_cast<uint8_t>(numerator);
  slot.denominator = static_cast<uint8_t>(denominator);
  slot.source = rows;
  slot.rows.fill(0);
  RowResampler resampler;
  resampler.Start(rows, width, height, toWidth, toHeight, {numerator, denominator});
  for (int y = 0; y < toHeight; ++y) slot.rows[y] = resampler.Row(y);
  return slot.rows;
}

Layout LayoutOf(const GlyphRows& rows, int width, int height) {
  Layout layout{};
  width = std::min(width, kGlyphSize);
  height = std::min(height, kGlyphSize);
  if (width == 0 || height == 0) return layout;
  for (int cy = 0; cy < 3; ++cy) {
    const int y0 = cy * height / 3, y1 = std::max(y0 + 1, (cy + 1) * height / 3);
    for (int cx = 0; cx < 3; ++cx) {
      const int x0 = cx * width / 3, x1 = std::max(x0 + 1, (cx + 1) * width / 3);
      const GlyphRow mask = ((GlyphRow{1} << x1) - 1) & ~((GlyphRow{1} << x0) - 1);
      int ink = 0;
      for (int y = y0; y < y1; ++y) ink += std::popcount(rows[y] & mask);
      layout[cy * 3 + cx] = static_cast<uint8_t>(100 * ink / ((x1 - x0) * (y1 - y0)));
    }
  }
  return layout;
}

int LayoutDistance(const Layout& a, const Layout& b) {
  int distance = 0;
  for (size_t i = 0; i < a.size(); ++i) distance += std::abs(a[i] - b[i]);
  return distance;
}

float SlantOf(const GlyphRows& rows, int width, int height) {
  const GlyphRow mask = width >= 64 ? ~GlyphRow{0} : (GlyphRow{1} << width) - 1;
  // The middle of each row's ink against the row's height above the bottom.
  double n = 0, sumT = 0, sumC = 0, sumTT = 0, sumTC = 0;
  for (int y = 0; y < std::min(height, kGlyphSize); ++y) {
    const GlyphRow row = rows[y] & mask;
    if (row == 0) continue;
    const double centre = (std::countr_zero(row) + 63 - std::countl_zero(row)) / 2.0;
    const double t = height - 1 - y;
    n += 1;
    sumT += t;
    sumC += centre;
    sumTT += t * t;
    sumTC += t * centre;
  }
  const double spread = n * sumTT - sumT * sumT;
  if (n < 3 || spread <= 0) return 0;
  return static_cast<float>((n * sumTC - sumT * sumC) / spread);
}

int ShearRows(const GlyphRows& rows, int width, int height, float slant, GlyphRows& out) {
  const int widened = width + static_cast<int>(std::lround(slant * static_cast<float>(height - 1)));
  if (slant < 0 || width == 0 || widened > kGlyphSize) return 0;
  out.fill(0);
  for (int y = 0; y < height; ++y) {
    out[y] = rows[y] << std::lround(slant * static_cast<float>(height - 1 - y));
  }
  return widened;
}

void ResampleRows(const GlyphRows& rows, int width, int height, int toWidth, int toHeight,
                  GlyphRows& out) {
  RowResampler resampler;
  resampler.Start(rows, width, height, toWidth, toHeight);
  out.fill(0);
  for (int y = 0; y < toHeight; ++y) out[y] = resampler.Row(y);
}

namespace {

// Brought down onto the smaller grid, a thin stroke keeps the pixels it
// covers a third of.
constexpr RowResampler::Share kShapeShare{1, 3};

// Brings `rows` (`width` x `height`) onto the `toWidth` x `toHeight` grid.
void OntoGrid(const GlyphRows& rows, int width, int height, int toWidth, int toHeight,
              RowResampler& resampler, GlyphRows& out) {
  out.fill(0);
  if (width == toWidth && height == toHeight) {
    for (int y = 0; y < height; ++y) out[y] = rows[y];
    return;
  }
  resampler.Start(rows, width, height, toWidth, toHeight, kShapeShare);
  for (int y = 0; y < toHeight; ++y) out[y] = resampler.Row(y);
}

// The grid two drawings are compared on: the smaller one's, but no coarser
// than kShapeGridHeight rows (where a pixel's forgiveness would cover
// whole strokes), the box's proportions kept.
ShapeGrid GridFor(const CharBox& box, const EntrySize& size) {
  const int smaller = std::min<int>(box.Height, size.height);
  const int larger = std::max<int>(box.Height, size.height);
  const int height = std::min(larger, std::max(smaller, kShapeGridHeight));
  const int width = std::clamp(
      static_cast<int>(std::lround(static_cast<float>(box.Width) * static_cast<float>(height) /
                                   static_cast<float>(box.Height))),
      1, kGlyphSize);
  return {width, height};
}

int CloseOnCommonGrid(const GlyphRows& rows, const CharBox& box, const GlyphRows& entryRows,
                      const EntrySize& size, RowResampler& resampler) {
  const ShapeGrid grid = GridFor(box, size);
  GlyphRows a, b;
  OntoGrid(rows, box.Width, box.Height, grid.width, grid.height, resampler, a);
  OntoGrid(entryRows, size.width, size.height, grid.width, grid.height, resampler, b);
  return ShapeCloseness(a, b, grid.width, grid.height);
}

}  // namespace

int OtherSizeCloseness(const GlyphRows& rows, const CharBox& box, const GlyphRows& entryRows,
                       const EntrySize& size) {
  if (box.Width < 1 || box.Height < 1 || box.Width > kGlyphSize || box.Height > kGlyphSize ||
      size.width < 1 || size.height < 1 || size.width > kGlyphSize || size.height > kGlyphSize) {
    return 0;
  }
  RowResampler resampler;
  return CloseOnCommonGrid(rows, box, entryRows, size, resampler);
}

namespace {

Comparison CompareResampled(const GlyphRows& rows, size_t boxKey, const Layout& layout,
                            const CharBox& box, float factor, size_t number,
                            const GlyphRows& entryRows, const EntrySize& size,
                            const Layout& entryLayout, int floor, GridCache& grids) {
  if (factor == 0 || LayoutDistance(layout, entryLayout) > kMaxLayoutDistance) return {};
  const RowResampler::Share half = RowResampler::kHalf;
  const GlyphRows& resampled = grids.Onto(number, entryRows, size.width, size.height, box.Width,
                                          box.Height, half.numerator, half.denominator);
  int similarity = ScoreRows(
      rows, box.Width, box.Height, [&resampled](int y) { return resampled[y]; }, box.Width,
      box.Height, floor);
  if (similarity < floor && size.width * size.height < box.Width * box.Height) {
    // Blown up, a smaller entry's pixels turn to blocks the box never
    // shows: the box is also brought down to the entry's size, where the
    // comparison sees only what both drawings hold.
    const GlyphRows& down = grids.Onto(boxKey, rows, box.Width, box.Height, size.width, size.height,
                                       half.numerator, half.denominator);
    similarity =
        ScoreRowsAt([&down](int y) { return down[y]; }, size.width, size.height,
                    [&entryRows](int y) { return entryRows[y]; }, size.width, size.height, floor);
  }
  if (similarity < floor) return {};
  return {similarity, factor};
}

}  // namespace

int OtherSizeSimilarity(const CharBox& box) {
  // Lowered by at most the margin: a narrow box (an "l" of one column)
  // matches almost any stem and must not read more loosely still.
  const int lessened = kTwoMisses / std::max(1, box.Width * box.Height);
  return kOtherSizeSimilarity - std::min(lessened, kOtherSizeMargin);
}

int NearSizeSimilarity(const EntrySize& size, const CharBox& box) {
  const int wider = box.Width - size.width, taller = box.Height - size.height;
  return wider * taller < 0 ? kCrossedSizeSimilarity : kOtherSizeSimilarity;
}

float OtherSizeFactor(const EntrySize& size, const CharBox& box) {
  if (size.width == 0 || size.height < kMinHeight || size.width > kGlyphSize ||
      size.height > kGlyphSize || box.Height < kMinHeight) {
    return 0;
  }
  const float w = box.Width, h = box.Height;
  const float factor = (w + h) / static_cast<float>(size.width + size.height);
  if (!FactorPlaces(factor, size.topOffset, box)) return 0;
  // The width the entry would have at the box's height: an "r" is not a
  // squeezed "n".
  if (!Near(w, size.width * (h / size.height), 1 + kAspectTolerance * w)) return 0;
  if (!Near(w, size.width * factor, 1 + kSizeTolerance * w) ||
      !Near(h, size.height * factor, 1 + kSizeTolerance * h)) {
    return 0;
  }
  return factor;
}

bool FactorPlaces(float factor, int entryTop, const CharBox& box) {
  if (factor < kMinFactor || factor > kMaxFactor) return false;
  const float top = static_cast<float>(entryTop) * factor;
  const float h = box.Height;
  return Near(box.TopOffset, top, 1 + kTopTolerance * std::max(h, top));
}

void OtherSizeReader::Prepare(const Picture24& bitmap, const TextLine& line, size_t index,
                              const CharacterMatrix& matrix, const OcrSettings& settings) {
  if (!ready_ || index < from_) {
    ReadLine(bitmap, line, index, matrix, settings);
    ready_ = true;
  }
}

size_t OtherSizeReader::Read(const Picture24& bitmap, const TextLine& line, size_t index,
                             const CharacterMatrix& matrix, const OcrSettings& settings) {
  Prepare(bitmap, line, index, matrix, settings);
  return boxes_[index - from_].chosen;
}

size_t OtherSizeReader::ReadUpright(const Picture24& bitmap, const TextLine& line, size_t index,
                                    const CharacterMatrix& matrix, const OcrSettings& settings) {
  Prepare(bitmap, line, index, matrix, settings);
  return boxes_[index - from_].upright;
}

void OtherSizeReader::ReadLine(const Picture24& bitmap, const TextLine& line, size_t from,
                               const CharacterMatrix& matrix, const OcrSettings& settings) {
  from_ = from;
  boxes_.clear();
  slopes_.clear();
  for (size_t j = from; j < line.boxes.size(); ++j) {
    const CharBox& box = line.boxes[j];
    BoxCandidates entry;
    const bool tall = box.Height >= kMinHeight, narrow = box.Width < kMinHeight;
    if (box.Width <= kGlyphSize && box.Height <= kGlyphSize && (tall || narrow)) {
      const Glyph glyph = ExtractGlyph(bitmap, box, MarkOf(j));
      const bool unknown = MatchGlyph(glyph, box, matrix, settings) == 0;
      GlyphRows rows;
      glyph.FillRows(rows);
      if (tall) {
        entry.glyph = glyph;
        entry.unknown = unknown;
        slopes_.push_back(SlantOf(rows, box.Width, box.Height));
      }
      // A full stop, or the dots of a colon.
      if (unknown && narrow) {
        entry.markCount = SmallMarkPieces(rows, box.Width, box.Height, entry.mark);
        if (!AllSolidDots(entry.mark, entry.markCount)) entry.markCount = 0;
        // A comma, an apostrophe or a single quote: a tick no higher than
        // the marks of a line.
        entry.tick = entry.markCount == 0 && 20 * box.Height <= 9 * (line.bottom - line.top + 1) &&
                     OneTick(rows, box.Width, box.Height);
        if (entry.tick) entry.glyph = glyph;
      }
    }
    boxes_.push_back(entry);
  }
  PrepareEntries(matrix);

  candidates_.clear();
  shapes_.clear();
  uprights_.clear();
  factors_.clear();
  readingBoxes_ = 0;
  for (size_t b = 0; b < boxes_.size(); ++b) {
    BoxCandidates& entry = boxes_[b];
    entry.first = candidates_.size();
    entry.shapeFirst = shapes_.size();
    entry.uprightFirst = uprights_.size();
    entry.needed = needed_ = OtherSizeSimilarity(line.boxes[from + b]);
    if (entry.unknown) Collect(entry.glyph, line.boxes[from + b], matrix, settings);
    if (entry.unknown && uprightSlant_ != 0) {
      GlyphRows rows;
      entry.glyph.FillRows(rows);
      CollectUpright(rows, line.boxes[from + b], matrix);
    }
    entry.count = candidates_.size() - entry.first;
    entry.shapeCount = shapes_.size() - entry.shapeFirst;
    entry.uprightCount = uprights_.size() - entry.uprightFirst;
    const size_t before = factors_.size();
    for (size_t i = entry.first; i < candidates_.size(); ++i) {
      if (candidates_[i].similarity >= entry.needed) {
        factors_.push_back({candidates_[i].factor, b});
      }
    }
    if (factors_.size() != before) ++readingBoxes_;
  }
  // Readings by shape must share their factor with another box of the line
  // read either way; the pixel readings keep to their own.
  shapeFactors_ = factors_;
  shapeReadingBoxes_ = readingBoxes_;
  for (size_t b = 0; b < boxes_.size(); ++b) {
    const BoxCandidates& entry = boxes_[b];
    const size_t before = shapeFactors_.size();
    for (size_t i = entry.shapeFirst; i < entry.shapeFirst + entry.shapeCount; ++i) {
      if (shapes_[i].similarity >= kShapeCloseness) shapeFactors_.push_back({shapes_[i].factor, b});
    }
    const bool readByPixels = std::any_of(factors_.begin(), factors_.end(),
                                          [b](const BoxFactor& f) { return f.box == b; });
    if (shapeFactors_.size() != before && !readByPixels) ++shapeReadingBoxes_;
  }
  // Boxes set upright share their factor with any other box's reading.
  uprightFactors_ = shapeFactors_;
  for (size_t b = 0; b < boxes_.size(); ++b) {
    const BoxCandidates& entry = boxes_[b];
    for (size_t i = entry.uprightFirst; i < entry.uprightFirst + entry.uprightCount; ++i) {
      if (uprights_[i].similarity >= entry.needed)
        uprightFactors_.push_back({uprights_[i].factor, b});
    }
  }
  const auto byFactor = [](const BoxFactor& a, const BoxFactor& b) { return a.factor < b.factor; };
  std::sort(factors_.begin(), factors_.end(), byFactor);
  std::sort(shapeFactors_.begin(), shapeFactors_.end(), byFactor);
  std::sort(uprightFactors_.begin(), uprightFactors_.end(), byFactor);
  marksKnown_ = false;
  for (size_t b = 0; b < boxes_.size(); ++b) {
    BoxCandidates& entry = boxes_[b];
    entry.chosen = Choose(b, matrix);
    if (entry.chosen == 0) entry.chosen = ChooseByShape(b, matrix);
    if (entry.chosen == 0 && entry.markCount != 0) {
      entry.chosen = ChooseMark(b, line.boxes[from + b], matrix);
    }
    if (entry.chosen == 0 && entry.tick) entry.chosen = ChooseTick(b, line.boxes[from + b], matrix);
    entry.upright = entry.chosen == 0 ? ChooseUpright(b, matrix) : 0;
  }
}

bool IsDot(const GlyphRows& rows, int width, int height) {
  // One solid dot that fills the box.
  MarkPieces pieces;
  const int count = SmallMarkPieces(rows, width, height, pieces);
  return count == 1 && pieces[0].width == width && pieces[0].height == height &&
         AllSolidDots(pieces, count);
}

void OtherSizeReader::KnowMarks(const CharacterMatrix& matrix) {
  if (marksKnown_) return;
  markCounts_.assign(matrix.Count() + 1, 0);
  marks_.resize(matrix.Count() + 1);
  ticks_.assign(matrix.Count() + 1, 0);
  for (size_t n = 1; n <= matrix.Count(); ++n) {
    const EntrySize& size = matrix.Size(n);
    if (size.width >= kMinHeight) continue;
    const int count = SmallMarkPieces(matrix.Rows(n), size.width, size.height, marks_[n]);
    markCounts_[n] = static_cast<uint8_t>(AllSolidDots(marks_[n], count) ? count : 0);
    // Ticks of 8 rows or more are compared by their pixels.
    ticks_[n] = static_cast<uint8_t>(markCounts_[n] == 0 && size.height < kMinHeight &&
                                     OneTick(matrix.Rows(n), size.width, size.height));
  }
  marksKnown_ = true;
}

size_t OtherSizeReader::ChooseTick(size_t index, const CharBox& box,
                                   const CharacterMatrix& matrix) {
  KnowMarks(matrix);
  GlyphRows rows;
  boxes_[index].glyph.FillRows(rows);
  const MarkDrawing drawing{&rows, box.Width, box.Height, box.TopOffset};
  size_t chosen = 0;
  for (size_t n = 1; n < ticks_.size(); ++n) {
    if (ticks_[n] == 0) continue;
    const EntrySize& size = matrix.Size(n);
    const MarkDrawing entry{&matrix.Rows(n), size.width, size.height, size.topOffset};
    const bool scales = std::any_of(
        shapeFactors_.begin(), shapeFactors_.end(),
        [&](const BoxFactor& f) { return f.box != index && TickScales(drawing, entry, f.factor); });
    if (!scales) continue;
    if (chosen != 0 && matrix.Entry(chosen).text != matrix.Entry(n).text) return 0;
    if (chosen == 0) chosen = n;
  }
  return chosen;
}

size_t OtherSizeReader::ChooseMark(size_t index, const CharBox& box,
                                   const CharacterMatrix& matrix) {
  KnowMarks(matrix);
  // Dots have no shape to tell their size by: only a factor at which
  // another box of the line reads can, and each dot must then end on the
  // row the entry's comes to (a full stop on the baseline, not a dot in
  // mid-line).
  const BoxCandidates& candidate = boxes_[index];
  size_t chosen = 0;
  for (size_t n = 1; n < markCounts_.size(); ++n) {
    if (markCounts_[n] == 0) continue;
    const int top = matrix.Size(n).topOffset;
    const bool scales =
        std::any_of(shapeFactors_.begin(), shapeFactors_.end(), [&](const BoxFactor& f) {
          return f.box != index && DotsScale(candidate.mark, candidate.markCount, box.TopOffset,
                                             marks_[n], markCounts_[n], top, f.factor);
        });
    if (!scales) continue;
    if (chosen != 0 && matrix.Entry(chosen).text != matrix.Entry(n).text) return 0;
    if (chosen == 0) chosen = n;
  }
  return chosen;
}

size_t OtherSizeReader::ChooseByShape(size_t index, const CharacterMatrix& matrix) const {
  const BoxCandidates& box = boxes_[index];
  const Candidate* best = nullptr;
  int rival = 0;  // the closeness of the closest other text
  for (size_t i = box.shapeFirst; i < box.shapeFirst + box.shapeCount; ++i) {
    const Candidate& c = shapes_[i];
    if (!SharedFactor(shapeFactors_, shapeReadingBoxes_, c.factor, index)) continue;
    if (best == nullptr) {
      best = &c;
    } else if (matrix.Entry(c.number).text != matrix.Entry(best->number).text) {
      rival = c.similarity;
      break;
    }
  }
  if (best == nullptr || best->similarity < kShapeCloseness) return 0;
  if (rival != 0 && best->similarity - rival < kShapeMargin) return 0;
  // A closed bowl and an open one lie close at a pixel's forgiveness.
  return SameHoles(box.glyph, matrix, best->number) ? best->number : 0;
}

void OtherSizeReader::PrepareEntries(const CharacterMatrix& matrix) {
  // The line leans when most of its letters do.
  slant_ = 0;
  if (slopes_.size() >= kMinSlantBoxes) {
    const auto middle = slopes_.begin() + static_cast<std::ptrdiff_t>(slopes_.size() / 2);
    std::nth_element(slopes_.begin(), middle, slopes_.end());
    if (*middle >= kMinSlant) slant_ = *middle;
  }
  uprightSlant_ = slant_ >= kMinUprightSlant ? slant_ : 0;
  layouts_.resize(matrix.Count() + 1);
  for (size_t n = 1; n <= matrix.Count(); ++n) {
    layouts_[n] = LayoutOf(matrix.Rows(n), matrix.Size(n).width, matrix.Size(n).height);
  }
}

bool OtherSizeReader::Agrees(float factor, size_t box) const {
  return SharedFactor(factors_, readingBoxes_, factor, box);
}

bool OtherSizeReader::SharedFactor(const std::vector<BoxFactor>& factors, size_t readingBoxes,
                                   float factor, size_t box) {
  const float low = factor * (1 - kLineTolerance), high = factor * (1 + kLineTolerance);
  auto it = std::lower_bound(factors.begin(), factors.end(), low,
                             [](const BoxFactor& f, float value) { return f.factor < value; });
  if (readingBoxes < 2) return true;  // no other box reads at another size
  for (; it != factors.end() && it->factor <= high; ++it) {
    if (it->box != box) return true;
  }
  return false;
}

void OtherSizeReader::Collect(const Glyph& glyph, const CharBox& box, const CharacterMatrix& matrix,
                              const OcrSettings& settings) {
  GlyphRows rows;
  glyph.FillRows(rows);
  const Layout layout = LayoutOf(rows, box.Width, box.Height);
  boxKey_ = GridCache::KeyOf(rows, box.Height);
  first_ = candidates_.size();
  shapeFirst_ = shapes_.size();
  boxGrid_ = {};
  RowResampler resampler;
  for (size_t n = 1; n <= matrix.Count(); ++n) {
    // At the box's very size the entry was compared already. Within the
    // tolerances of matching it was compared unscaled, which a stem a
    // column wider and two rows shorter, or a colon a row taller, does not
    // pass: resampled, it must then read on its own, without rivals below
    // the similarity, and more closely when its shape does not scale alike.
    // An entry that cannot be drawn as the box is compared neither way.
    const EntrySize& size = matrix.Size(n);
    const bool other = size.width != box.Width || size.height != box.Height;
    const float factor = other ? OtherSizeFactor(size, box) : 0;
    if (factor != 0) {
      const bool near = SizePasses(size, glyph, box, settings);
      const int least = Floor(candidates_, first_);
      const int floor = near ? std::max(least, NearSizeSimilarity(size, box)) : least;
      const Comparison c = CompareResampled(rows, boxKey_, layout, box, factor, n, matrix.Rows(n),
                                            size, layouts_[n], floor, grids_);
      Keep(candidates_, first_, {n, c.similarity, c.factor});
      // Drawn on another grid (not of about the box's size), the entry's
      // strokes may sit a row or column off: compared by shape too.
      if (!near) CollectShape(rows, layout, box, n, factor, matrix, resampler);
    }
    if (slant_ != 0) CollectSheared(rows, layout, box, n, matrix);
  }
}

void OtherSizeReader::CollectSheared(const GlyphRows& rows, const Layout& layout,
                                     const CharBox& box, size_t number,
                                     const CharacterMatrix& matrix) {
  // Italic forms differ from sheared upright ones in their widths: only an
  // entry whose sheared box is the box's very size is compared.
  const EntrySize& size = matrix.Size(number);
  const long widened = size.width + std::lround(slant_ * static_cast<float>(size.height - 1));
  if (size.height != box.Height || widened != box.Width) return;
  GlyphRows sheared;
  EntrySize shearedSize = size;
  shearedSize.width = static_cast<uint8_t>(
      ShearRows(matrix.Rows(number), size.width, size.height, slant_, sheared));
  if (shearedSize.width == 0) return;
  const Comparison c = CompareResampled(
      rows, boxKey_, layout, box, OtherSizeFactor(shearedSize, box), number, sheared, shearedSize,
      LayoutOf(sheared, shearedSize.width, shearedSize.height), Floor(candidates_, first_), grids_);
  Keep(candidates_, first_, {number, c.similarity, c.factor});
}

void OtherSizeReader::CollectShape(const GlyphRows& rows, const Layout& layout, const CharBox& box,
                                   size_t number, float factor, const CharacterMatrix& matrix,
                                   RowResampler& resampler) {
  const EntrySize& size = matrix.Size(number);
  if (factor == 0 || LayoutDistance(layout, layouts_[number]) > kShapeMaxLayoutDistance) return;
  // Narrow shapes lie within a pixel of any stem.
  if (std::min<int>(size.width, box.Width) < kShapeMinWidth) return;
  const ShapeGrid grid = GridFor(box, size);
  if (grid.width != boxGrid_.width || grid.height != boxGrid_.height) {
    boxGrid_ = grid;
    if (box.Width != grid.width || box.Height != grid.height) {
      boxOnGrid_ = grids_.Onto(boxKey_, rows, box.Width, box.Height, grid.width, grid.height,
                               kShapeShare.numerator, kShapeShare.denominator);
    } else {
      OntoGrid(rows, box.Width, box.Height, grid.width, grid.height, resampler, boxOnGrid_);
    }
  }
  GlyphRows onGrid;
  const GlyphRows* entry = &onGrid;
  if (size.width != grid.width || size.height != grid.height) {
    entry = &grids_.Onto(number, matrix.Rows(number), size.width, size.height, grid.width,
                         grid.height, kShapeShare.numerator, kShapeShare.denominator);
  } else {
    OntoGrid(matrix.Rows(number), size.width, size.height, grid.width, grid.height, resampler,
             onGrid);
  }
  const int floor = kShapeCloseness - kShapeMargin;
  const int closeness = ShapeCloseness(boxOnGrid_, *entry, grid.width, grid.height, floor);
  if (closeness < floor) return;
  Keep(shapes_, shapeFirst_, {number, closeness, factor});
}

int OtherSizeReader::Floor(const std::vector<Candidate>& list, size_t first) const {
  // A candidate must come within the margin of reading; once the box keeps
  // its fill, it must also beat the least of them.
  const int floor = needed_ - kOtherSizeMargin;
  if (list.size() - first < kMaxCandidates) return floor;
  return std::max(floor, list.back().similarity + 1);
}

void OtherSizeReader::Keep(std::vector<Candidate>& list, size_t first, const Candidate& candidate) {
  if (candidate.factor == 0) return;
  // The few most similar, most similar first.
  size_t at = first;
  while (at < list.size() && list[at].similarity >= candidate.similarity) ++at;
  if (list.size() - first == kMaxCandidates) {
    if (at == list.size()) return;
    list.pop_back();
  }
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), candidate);
}

const OtherSizeReader::Candidate* OtherSizeReader::Best(size_t index) const {
  const BoxCandidates& box = boxes_[index];
  for (size_t i = box.first; i < box.first + box.count; ++i) {
    if (Agrees(candidates_[i].factor, index)) return &candidates_[i];
  }
  return nullptr;
}

size_t OtherSizeReader::Nearest(size_t index) const {
  if (!ready_ || index < from_ || index - from_ >= boxes_.size()) return 0;
  const Candidate* best = Best(index - from_);
  return best != nullptr ? best->number : 0;
}

size_t OtherSizeReader::Choose(size_t index, const CharacterMatrix& matrix) const {
  const BoxCandidates& box = boxes_[index];
  const Candidate* best = Best(index);
  int rival = 0;  // the best similarity of another text
  for (size_t i = box.first; best != nullptr && i < box.first + box.count; ++i) {
    const Candidate& c = candidates_[i];
    if (&c == best || !Agrees(c.factor, index)) continue;
    if (matrix.Entry(c.number).text != matrix.Entry(best->number).text) {
      rival = c.similarity;
      break;
    }
  }
  if (best == nullptr || best->similarity < box.needed) return 0;
  if (rival != 0 && best->similarity - rival < kOtherSizeMargin) return 0;
  return best->number;
}

size_t OtherSizeReader::DrawUpright(const GlyphRows& rows, const CharBox& box) {
  // The line's slant is a median over jagged stems, and a letter's own lean
  // strays from it by the rounding of its drawing.
  static_assert(std::tuple_size_v<decltype(upright_)> == 2 * kLeanSteps + 1);
  size_t count = 0;
  for (int step = -kLeanSteps; step <= kLeanSteps; ++step) {
    Upright& u = upright_[count];
    const float lean = -uprightSlant_ + kLeanStep * static_cast<float>(step);
    const int width = LeanRows(rows, box.Width, box.Height, lean, u.rows);
    if (width == 0 || (count != 0 && width == upright_[count - 1].box.Width &&
                       u.rows == upright_[count - 1].rows)) {
      continue;
    }
    u.box = box;
    u.box.Width = static_cast<decltype(u.box.Width)>(width);
    u.layout = LayoutOf(u.rows, width, box.Height);
    u.key = GridCache::KeyOf(u.rows, box.Height);
    ++count;
  }
  return count;
}

void OtherSizeReader::CollectUpright(const GlyphRows& rows, const CharBox& box,
                                     const CharacterMatrix& matrix) {
  const size_t count = DrawUpright(rows, box);
  const std::array<Upright, 2 * kLeanSteps + 1>& drawn = upright_;
  const size_t first = uprights_.size();
  for (size_t n = 1; n <= matrix.Count(); ++n) {
    const EntrySize& size = matrix.Size(n);
    Candidate best;
    for (size_t i = 0; i < count; ++i) {
      const Upright& u = drawn[i];
      // At the upright box's very size the reader of the other slant
      // compared it already.
      if (size.width == u.box.Width && size.height == u.box.Height) continue;
      const Comparison c =
          CompareResampled(u.rows, u.key, u.layout, u.box, OtherSizeFactor(size, u.box), n,
                           matrix.Rows(n), size, layouts_[n], Floor(uprights_, first), grids_);
      if (c.factor != 0 && c.similarity > best.similarity) best = {n, c.similarity, c.factor};
    }
    Keep(uprights_, first, best);
  }
}

SplitReading OtherSizeReader::ReadUprightTouching(const Picture24& bitmap, const TextLine& line,
                                                  size_t index, const CharacterMatrix& matrix,
                                                  const OcrSettings& settings) {
  Prepare(bitmap, line, index, matrix, settings);
  const size_t b = index - from_;
  const BoxCandidates& entry = boxes_[b];
  if (!entry.unknown || uprightSlant_ == 0 || entry.chosen != 0 || entry.upright != 0) return {};
  // The composite's factor must be one another box of the line reads at.
  lineFactors_.clear();
  for (const BoxFactor& f : uprightFactors_) {
    if (f.box != b) lineFactors_.push_back(f.factor);
  }
  if (lineFactors_.empty()) return {};
  const CharBox& box = line.boxes[index];
  GlyphRows rows;
  entry.glyph.FillRows(rows);
  const size_t count = DrawUpright(rows, box);
  std::array<UprightDrawing, 2 * kLeanSteps + 1> drawings;
  for (size_t i = 0; i < count; ++i) drawings[i] = {&upright_[i].rows, upright_[i].box.Width};
  composite_.Read(drawings.data(), count, box, matrix, lineFactors_, kLineTolerance,
                  kShapeCloseness - kShapeMargin, grids_);
  const CompositeReading& best = composite_.Reading();
  if (best.parts == 0 || best.similarity < kShapeCloseness) return {};
  SplitReading reading;
  reading.text = CompositeText(best, matrix);
  // A composite of another text, or an entry of another text alone by
  // shape, as close within the margin.
  int rival = best.rival;
  for (size_t i = entry.shapeFirst; i < entry.shapeFirst + entry.shapeCount; ++i) {
    if (matrix.Entry(shapes_[i].number).text != reading.text) {
      rival = std::max(rival, shapes_[i].similarity);
    }
  }
  if (rival != 0 && best.similarity - rival < kShapeMargin) return {};
  // An entry of another text that came within the margin of reading the
  // box alone, set upright or not, at any factor.
  const auto rivals = [&](const std::vector<Candidate>& list, size_t first, size_t n) {
    return std::any_of(
        list.begin() + static_cast<std::ptrdiff_t>(first),
        list.begin() + static_cast<std::ptrdiff_t>(first + n),
        [&](const Candidate& c) { return matrix.Entry(c.number).text != reading.text; });
  };
  if (rivals(uprights_, entry.uprightFirst, entry.uprightCount) ||
      rivals(candidates_, entry.first, entry.count)) {
    return {};
  }
  if (HolesOf(best.box, best.width, box.Height) != HolesOf(best.drawing, best.width, box.Height)) {
    return {};
  }
  reading.similarity = best.similarity;
  reading.parts = best.parts;
  for (int i = 0; i < best.parts; ++i) {
    const size_t length = matrix.Entry(best.numbers[static_cast<size_t>(i)]).text.size();
    reading.part[static_cast<size_t>(i)] = {box, static_cast<uint8_t>(length)};
  }
  return reading;
}

size_t OtherSizeReader::ChooseUpright(size_t index, const CharacterMatrix& matrix) const {
  const BoxCandidates& box = boxes_[index];
  const Candidate* best = nullptr;
  for (size_t i = box.uprightFirst; i < box.uprightFirst + box.uprightCount; ++i) {
    // Another box must read at the factor, whatever the rest of the line.
    if (SharedFactor(uprightFactors_, 2, uprights_[i].factor, index)) {
      best = &uprights_[i];
      break;
    }
  }
  if (best == nullptr || best->similarity < box.needed) return 0;
  // Any other text that came near, set upright or not, at any factor.
  const std::string& text = matrix.Entry(best->number).text;
  int rival = 0;
  const auto against = [&](const std::vector<Candidate>& list, size_t first, size_t count) {
    for (size_t i = first; i < first + count; ++i) {
      if (matrix.Entry(list[i].number).text != text) rival = std::max(rival, list[i].similarity);
    }
  };
  against(uprights_, box.uprightFirst, box.uprightCount);
  against(candidates_, box.first, box.count);
  if (rival != 0 && best->similarity - rival < kOtherSizeMargin) return 0;
  // A closed bowl is not an open one, whatever the lean.
  return SameHoles(box.glyph, matrix, best->number) ? best->number : 0;
}

}  // namespace capter
