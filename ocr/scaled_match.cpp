#include "ocr/scaled_match.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>

#include "ocr/glyph_score.h"
#include "ocr/matcher.h"

namespace capter {
namespace {

// Letters are drawn from about 0.4 to 2.5 times a taught size.
constexpr float kMinFactor = 0.4f;
constexpr float kMaxFactor = 2.5f;
// Width and height may stray from the common factor by a pixel of rounding
// plus this share (hinting draws stems differently at each size).
constexpr float kSizeTolerance = 0.12f;
// The top offset may stray by a pixel plus this share of the
// larger of the box's height and the expected offset.
constexpr float kTopTolerance = 0.1f;
// Two factors agree when they differ by at most this share.
constexpr float kLineTolerance = 0.12f;
// Smaller boxes and entries carry too few pixels to judge a scale (the dot
// of an "i" would pass for an apostrophe).
constexpr int kMinHeight = 8;
// Candidates a box keeps for the line's weighing.
constexpr size_t kMaxCandidates = 8;

// Boxes whose ink lies in another layout than a resampled entry's cannot
// match it; this spares most resamplings. Percent points summed over the
// nine cells.
constexpr int kMaxLayoutDistance = 250;

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

// Resamples a glyph a row at a time, so a comparison that stops early does
// not pay for the rows it never reads. A target pixel is set when at least
// half its area covers set source pixels.
class Resampler {
 public:
  void Start(const GlyphRows& rows, int width, int height, int toWidth, int toHeight) {
    rows_ = &rows;
    toWidth_ = toWidth;
    whole_ = width * height;
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
      if (2 * covered >= whole_) row |= GlyphRow{1} << tx;
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
  int whole_ = 0;
  int done_ = 0;  // source rows whose coverage is known
  AxisMap xs_, ys_;
  std::array<std::array<uint8_t, kGlyphSize>, kGlyphSize> across_;
};

}  // namespace

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

void ResampleRows(const GlyphRows& rows, int width, int height, int toWidth, int toHeight,
                  GlyphRows& out) {
  Resampler resampler;
  resampler.Start(rows, width, height, toWidth, toHeight);
  out.fill(0);
  for (int y = 0; y < toHeight; ++y) out[y] = resampler.Row(y);
}

float OtherSizeFactor(const EntrySize& size, const CharBox& box) {
  if (size.width == 0 || size.height < kMinHeight || size.width > kGlyphSize ||
      size.height > kGlyphSize || box.Height < kMinHeight) {
    return 0;
  }
  const float w = box.Width, h = box.Height;
  const float factor = (w + h) / static_cast<float>(size.width + size.height);
  if (factor < kMinFactor || factor > kMaxFactor) return 0;
  const float top = size.topOffset * factor;
  if (!Near(w, size.width * factor, 1 + kSizeTolerance * w) ||
      !Near(h, size.height * factor, 1 + kSizeTolerance * h) ||
      !Near(box.TopOffset, top, 1 + kTopTolerance * std::max(h, top))) {
    return 0;
  }
  return factor;
}

size_t OtherSizeReader::Read(const Picture24& bitmap, const TextLine& line, size_t index,
                             const CharacterMatrix& matrix, const OcrSettings& settings) {
  if (!ready_ || index < from_) {
    ReadLine(bitmap, line, index, matrix, settings);
    ready_ = true;
  }
  return boxes_[index - from_].chosen;
}

void OtherSizeReader::ReadLine(const Picture24& bitmap, const TextLine& line, size_t from,
                               const CharacterMatrix& matrix, const OcrSettings& settings) {
  from_ = from;
  layouts_.resize(matrix.Count() + 1);
  for (size_t n = 1; n <= matrix.Count(); ++n) {
    layouts_[n] = LayoutOf(matrix.Rows(n), matrix.Size(n).width, matrix.Size(n).height);
  }
  candidates_.clear();
  boxes_.clear();
  factors_.clear();
  readingBoxes_ = 0;
  for (size_t j = from; j < line.boxes.size(); ++j) {
    const CharBox& box = line.boxes[j];
    BoxCandidates entry;
    entry.first = candidates_.size();
    if (box.Width <= kGlyphSize && box.Height <= kGlyphSize && box.Height >= kMinHeight) {
      const Glyph glyph = ExtractGlyph(bitmap, box, MarkOf(j));
      const size_t native = MatchGlyph(glyph, box, matrix, settings);
      if (native == 0) Collect(glyph, box, matrix, settings);
    }
    entry.count = candidates_.size() - entry.first;
    const size_t before = factors_.size();
    for (size_t i = entry.first; i < candidates_.size(); ++i) {
      if (candidates_[i].similarity >= kOtherSizeSimilarity) {
        factors_.push_back({candidates_[i].factor, boxes_.size()});
      }
    }
    if (factors_.size() != before) ++readingBoxes_;
    boxes_.push_back(entry);
  }
  std::sort(factors_.begin(), factors_.end(),
            [](const BoxFactor& a, const BoxFactor& b) { return a.factor < b.factor; });
  for (size_t b = 0; b < boxes_.size(); ++b) boxes_[b].chosen = Choose(b, matrix);
}

bool OtherSizeReader::Agrees(float factor, size_t box) const {
  const float low = factor * (1 - kLineTolerance), high = factor * (1 + kLineTolerance);
  auto it = std::lower_bound(factors_.begin(), factors_.end(), low,
                             [](const BoxFactor& f, float value) { return f.factor < value; });
  if (readingBoxes_ < 2) return true;  // no other box reads at another size
  for (; it != factors_.end() && it->factor <= high; ++it) {
    if (it->box != box) return true;
  }
  return false;
}

void OtherSizeReader::Collect(const Glyph& glyph, const CharBox& box, const CharacterMatrix& matrix,
                              const OcrSettings& settings) {
  GlyphRows rows;
  glyph.FillRows(rows);
  Resampler resampler;
  const Layout layout = LayoutOf(rows, box.Width, box.Height);
  const size_t first = candidates_.size();
  const int floor = kOtherSizeSimilarity - kOtherSizeMargin;
  for (size_t n = 1; n <= matrix.Count(); ++n) {
    const EntrySize& size = matrix.Size(n);
    if (SizePasses(size, glyph, box, settings)) continue;
    const float factor = OtherSizeFactor(size, box);
    if (factor == 0 || LayoutDistance(layout, layouts_[n]) > kMaxLayoutDistance) continue;
    resampler.Start(matrix.Rows(n), size.width, size.height, box.Width, box.Height);
    const int similarity = ScoreRows(
        rows, box.Width, box.Height, [&resampler](int y) { return resampler.Row(y); }, box.Width,
        box.Height, floor);
    if (similarity < floor) continue;
    // Keep the few most similar, most similar first.
    const Candidate candidate{n, similarity, factor};
    size_t at = first;
    while (at < candidates_.size() && candidates_[at].similarity >= similarity) ++at;
    if (candidates_.size() - first == kMaxCandidates) {
      if (at == candidates_.size()) continue;
      candidates_.pop_back();
    }
    candidates_.insert(candidates_.begin() + static_cast<std::ptrdiff_t>(at), candidate);
  }
}

size_t OtherSizeReader::Choose(size_t index, const CharacterMatrix& matrix) const {
  const BoxCandidates& box = boxes_[index];
  const Candidate* best = nullptr;
  int rival = 0;  // the best similarity of another text
  for (size_t i = box.first; i < box.first + box.count; ++i) {
    const Candidate& c = candidates_[i];
    if (!Agrees(c.factor, index)) continue;
    if (best == nullptr) {
      best = &c;
    } else if (rival == 0 && matrix.Entry(c.number).text != matrix.Entry(best->number).text) {
      rival = c.similarity;
    }
  }
  if (best == nullptr || best->similarity < kOtherSizeSimilarity) return 0;
  if (rival != 0 && best->similarity - rival < kOtherSizeMargin) return 0;
  return best->number;
}

}  // namespace capter
