#include "ocr/touching_split.h"

#include <algorithm>

#include "ocr/matcher.h"

namespace capter {

namespace {

class Splitter {
 public:
  Splitter(const Picture24& bitmap, const TextLine& line, const CharBox& box, Colour mark,
           const CharacterMatrix& matrix, const OcrSettings& settings)
      : bitmap_(bitmap),
        line_(line),
        box_(box),
        mark_(mark),
        matrix_(matrix),
        settings_(settings),
        minWidth_(std::max<int>(settings.MinCharWidth, 1)),
        // A part must match halfway from Sensibility to a perfect match:
        // the halves of an "m" pass for "r" and "n" at Sensibility.
        floor_(1000 - (1000 - std::min<int>(settings.Sensibility, 1000)) / 2),
        widestPart_(WidestPart(matrix, settings)) {}

  // No part can be wider than the widest entry allows.
  static int WidestPart(const CharacterMatrix& matrix, const OcrSettings& settings) {
    int widest = 0;
    for (size_t n = 1; n <= matrix.Count(); ++n)
      widest = std::max<int>(widest, matrix.Size(n).width);
    return widest + settings.MaxCharDiffWidth;
  }

  SplitReading Read() const {
    if (box_.Width > 3 * widestPart_) return {};
    SplitReading best = BestOfTwo(box_.Left);
    if (best.parts == 0) best = BestOfThree();
    return best;
  }

 private:
  // The pixels of columns first..last, trimmed; false when there are none.
  bool Part(int first, int last, CharBox& part) const {
    int top = box_.Bottom() + 1, bottom = -1, left = last + 1, right = -1;
    for (int y = box_.Top; y <= box_.Bottom(); ++y) {
      const uint8_t* p = bitmap_.Row(y) + 3 * first;
      for (int x = first; x <= last; ++x, p += 3) {
        if (p[0] != BlueOf(mark_) || p[1] != GreenOf(mark_) || p[2] != RedOf(mark_)) continue;
        top = std::min(top, y);
        bottom = std::max(bottom, y);
        left = std::min(left, x);
        right = std::max(right, x);
      }
    }
    if (bottom < 0) return false;
    part = box_;
    part.Left = static_cast<uint16_t>(left);
    part.Top = static_cast<uint16_t>(top);
    part.Width = static_cast<uint16_t>(right - left + 1);
    part.Height = static_cast<uint16_t>(bottom - top + 1);
    part.TopOffset = static_cast<uint8_t>(top - line_.top);
    return true;
  }

  // The entry the columns first..last match, or number 0; `part` gets
  // their pixels' box.
  EntryMatch Match(int first, int last, CharBox& part) const {
    if (!Part(first, last, part) || part.Width > widestPart_) return {};
    const Glyph glyph = ExtractGlyph(bitmap_, part, mark_);
    const EntryMatch match = BestEntry(glyph, part, matrix_, settings_, floor_);
    if (match.number == 0 || matrix_.Entry(match.number).text.empty()) return {};
    return match;
  }

  // The best cut of columns from..Right() into two matching parts.
  SplitReading BestOfTwo(int from) const {
    SplitReading best;
    CharBox leftBox, rightBox;
    for (int cut = from + minWidth_; cut + minWidth_ - 1 <= box_.Right(); ++cut) {
      const EntryMatch left = Match(from, cut - 1, leftBox);
      if (left.number == 0) continue;
      const EntryMatch right = Match(cut, box_.Right(), rightBox);
      if (right.number == 0) continue;
      const int worst = std::min(left.similarity, right.similarity);
      if (best.parts != 0 && worst <= best.similarity) continue;
      const std::string& leftText = matrix_.Entry(left.number).text;
      const std::string& rightText = matrix_.Entry(right.number).text;
      best = {leftText + rightText, worst, 2, {}};
      best.part[0] = {leftBox, static_cast<uint8_t>(leftText.size())};
      best.part[1] = {rightBox, static_cast<uint8_t>(rightText.size())};
    }
    return best;
  }

  SplitReading BestOfThree() const {
    SplitReading best;
    CharBox leftBox;
    for (int cut = box_.Left + minWidth_; cut + 2 * minWidth_ - 1 <= box_.Right(); ++cut) {
      const EntryMatch left = Match(box_.Left, cut - 1, leftBox);
      if (left.number == 0) continue;
      const SplitReading rest = BestOfTwo(cut);
      if (rest.parts == 0) continue;
      const int worst = std::min(left.similarity, rest.similarity);
      if (best.parts != 0 && worst <= best.similarity) continue;
      const std::string& leftText = matrix_.Entry(left.number).text;
      best = {leftText + rest.text, worst, 3, {}};
      best.part = {SplitPart{leftBox, static_cast<uint8_t>(leftText.size())}, rest.part[0],
                   rest.part[1]};
    }
    return best;
  }

  const Picture24& bitmap_;
  const TextLine& line_;
  const CharBox& box_;
  Colour mark_;
  const CharacterMatrix& matrix_;
  const OcrSettings& settings_;
  int minWidth_;
  int floor_;
  int widestPart_;
};

}  // namespace

SplitReading ReadTouchingCharacters(const Picture24& bitmap, const TextLine& line,
                                    const CharBox& box, Colour mark, const CharacterMatrix& matrix,
                                    const OcrSettings& settings) {
  if (matrix.Count() == 0 || box.Width < 2 * std::max<int>(settings.MinCharWidth, 1)) return {};
  return Splitter(bitmap, line, box, mark, matrix, settings).Read();
}

}  // namespace capter
