#include "ocr/touching_split.h"

#include <algorithm>
#include <climits>

#include "ocr/box_pixels.h"
#include "ocr/matcher.h"

namespace capter {

namespace {

// A matched part with its box.
struct PartMatch {
  EntryMatch entry;
  CharBox box;
  bool leaned = false;  // read in the other slant
};

class Splitter {
 public:
  Splitter(const Picture24& bitmap, const TextLine& line, const CharBox& box, Colour mark,
           const CharacterMatrix& matrix, const OcrSettings& settings, SlantReader* slants)
      : bitmap_(bitmap),
        line_(line),
        box_(box),
        mark_(mark),
        matrix_(matrix),
        settings_(settings),
        slants_(slants),
        minWidth_(std::max<int>(settings.MinCharWidth, 1)),
        // A part must match halfway from Sensibility to a perfect match:
        // the halves of an "m" pass for "r" and "n" at Sensibility.
        floor_(1000 - (1000 - std::min<int>(settings.Sensibility, 1000)) / 2),
        widestPart_(0) {
    // The part sizes some entry with a text lets through.
    for (size_t n = 1; n <= matrix.Count(); ++n) {
      if (matrix.Entry(n).text.empty()) continue;
      const EntrySize& size = matrix.Size(n);
      Mark(widths_, size.width, settings.MaxCharDiffWidth);
      Mark(heights_, size.height, settings.MaxCharDiffHeight);
      widestPart_ = std::max(widestPart_, size.width + settings.MaxCharDiffWidth);
    }
  }

  SplitReading Read() {
    if (box_.Width > 3 * widestPart_ || !pixels_.Load(bitmap_, box_, mark_)) return {};
    SplitReading best = BestOfTwo(KeyRange{});
    if (best.parts == 0) best = BestOfThree();
    if (best.parts == 0) best = WithoutNeighboursAccent();
    return best;
  }

 private:
  using Sizes = std::array<bool, BoxPixels::kMaxWidth + 1>;

  static void Mark(Sizes& sizes, int size, int tolerance) {
    const int last = std::min<int>(size + tolerance, BoxPixels::kMaxWidth);
    for (int s = std::max(0, size - tolerance); s <= last; ++s)
      sizes[static_cast<size_t>(s)] = true;
  }

  bool Fits(const CharBox& part) const {
    return part.Width <= BoxPixels::kMaxWidth && widths_[part.Width] && heights_[part.Height];
  }

  // The entry the pixels in both ranges match (number 0 for none), with
  // their box.
  PartMatch Match(const KeyRange& a, const KeyRange& b,
                  uint32_t pieces = BoxPixels::kAllPieces) const {
    PartMatch part;
    if (!pixels_.Part(a, b, line_, part.box, nullptr, pieces) || !Fits(part.box)) return part;
    Glyph glyph;
    pixels_.Part(a, b, line_, part.box, &glyph, pieces);
    EntryMatch match = BestEntry(glyph, part.box, matrix_, settings_, floor_);
    if (match.number == 0 && slants_ != nullptr) {
      match = slants_->ReadPart(bitmap_, line_, glyph, part.box, matrix_, settings_, floor_);
      part.leaned = match.number != 0;
    }
    if (match.number != 0 && !matrix_.Entry(match.number).text.empty()) part.entry = match;
    return part;
  }

  // Calls visit(left, right) for every cut of the pixels in `base` into two
  // matching parts (see ForEachCut).
  template <typename Visit>
  void ForEachMatchingCut(const KeyRange& base, Visit visit) const {
    ForEachCut(pixels_, minWidth_, [&](const KeyRange& leftRange, const KeyRange& rightRange) {
      const PartMatch left = Match(base, leftRange);
      if (left.entry.number == 0) return;
      const PartMatch right = Match(base, rightRange);
      // At most one part in the other slant: two would be a guess at both.
      if (right.entry.number != 0 && !(left.leaned && right.leaned)) visit(left, right);
    });
  }

  // The best cut of the pixels in `base` into two matching parts.
  SplitReading BestOfTwo(const KeyRange& base) const {
    SplitReading best;
    ForEachMatchingCut(base, [&](const PartMatch& left, const PartMatch& right) {
      // Characters side by side share rows; pieces one above the other
      // (the dots of a slanted colon) make one character.
      if (left.box.Bottom() < right.box.Top || right.box.Bottom() < left.box.Top) return;
      const int worst = std::min(left.entry.similarity, right.entry.similarity);
      if (best.parts != 0 && worst <= best.similarity) return;
      const std::string& leftText = matrix_.Entry(left.entry.number).text;
      const std::string& rightText = matrix_.Entry(right.entry.number).text;
      best = {leftText + rightText, worst, 2, {}};
      best.part[0] = {left.box, static_cast<uint8_t>(leftText.size())};
      best.part[1] = {right.box, static_cast<uint8_t>(rightText.size())};
    });
    return best;
  }

  // The best first part followed by the best cut of the rest into two.
  SplitReading BestOfThree() const {
    SplitReading best;
    const auto tryRest = [&](const PartMatch& left, const KeyRange& rest) {
      const SplitReading tail = BestOfTwo(rest);
      if (tail.parts == 0) return;
      const int worst = std::min(left.entry.similarity, tail.similarity);
      if (best.parts != 0 && worst <= best.similarity) return;
      const std::string& leftText = matrix_.Entry(left.entry.number).text;
      best = {leftText + tail.text, worst, 3, {}};
      best.part = {SplitPart{left.box, static_cast<uint8_t>(leftText.size())}, tail.part[0],
                   tail.part[1]};
    };
    ForEachCut(pixels_, minWidth_, [&](const KeyRange& leftRange, const KeyRange& rest) {
      const PartMatch left = Match(KeyRange{}, leftRange);
      if (left.entry.number != 0 && !left.leaned) tryRest(left, rest);
    });
    return best;
  }

  // The box read as one entry without a small piece lying above the rest
  // and reaching past its side: a neighbour's accent or dot that the
  // segmentation joined because it lies over the letter's edge (the left
  // dot of an "i" with a diaeresis over the tail of an "a"). The piece
  // reads as nothing.
  SplitReading WithoutNeighboursAccent() const {
    SplitReading best;
    for (int p = 0; p < pixels_.PieceCount(); ++p) {
      const uint32_t piece = 1u << p;
      CharBox accent, rest;
      if (!pixels_.Part(KeyRange{}, KeyRange{}, line_, accent, nullptr, piece) ||
          !pixels_.Part(KeyRange{}, KeyRange{}, line_, rest, nullptr, ~piece)) {
        continue;
      }
      const int middle = accent.Left + accent.Width / 2;
      // Above the rest, its middle past the rest's side, and small beside
      // it: of the two dots of a slanted colon, neither is dropped.
      if (accent.Bottom() >= rest.Top || (middle >= rest.Left && middle <= rest.Right()) ||
          2 * accent.Height > rest.Height) {
        continue;
      }
      const PartMatch match = Match(KeyRange{}, KeyRange{}, ~piece);
      if (match.entry.number == 0 || match.leaned ||
          (best.parts != 0 && match.entry.similarity <= best.similarity)) {
        continue;
      }
      const std::string& text = matrix_.Entry(match.entry.number).text;
      best = {text, match.entry.similarity, 1, {}};
      best.part[0] = {match.box, static_cast<uint8_t>(text.size())};
    }
    return best;
  }

  const Picture24& bitmap_;
  const TextLine& line_;
  const CharBox& box_;
  Colour mark_;
  const CharacterMatrix& matrix_;
  const OcrSettings& settings_;
  SlantReader* slants_;
  int minWidth_;
  int floor_;
  int widestPart_;
  Sizes widths_{};
  Sizes heights_{};
  BoxPixels pixels_;
};

}  // namespace

SplitReading ReadTouchingCharacters(const Picture24& bitmap, const TextLine& line,
                                    const CharBox& box, Colour mark, const CharacterMatrix& matrix,
                                    const OcrSettings& settings, SlantReader* slants) {
  if (matrix.Count() == 0 || box.Width < 2 * std::max<int>(settings.MinCharWidth, 1)) return {};
  return Splitter(bitmap, line, box, mark, matrix, settings, slants).Read();
}

}  // namespace capter
