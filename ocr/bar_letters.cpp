#include "ocr/bar_letters.h"

#include <algorithm>
#include <bit>

#include "base/i_and_l_rules.h"
#include "ocr/matcher.h"

namespace capter {

namespace {

bool IsIOrL(const std::string& text, size_t start, size_t length) {
  return length == 1 && start < text.size() && (text[start] == 'I' || text[start] == 'l');
}

}  // namespace

bool IsPlainBar(const Glyph& glyph) {
  const int height = std::min<int>(glyph.Height, kGlyphSize);
  if (height == 0 || glyph.Height <= glyph.Width) return false;
  int minLeft = kGlyphSize, maxLeft = -1, minRight = kGlyphSize, maxRight = -1;
  for (int y = 0; y < height; ++y) {
    const GlyphRow row = glyph.Row(y);
    if (row == 0) return false;
    const int left = std::countr_zero(row);
    const GlyphRow run = row >> left;
    if ((run & (run + 1)) != 0) return false;  // more than one run
    const int right = left + std::countr_one(run) - 1;
    minLeft = std::min(minLeft, left);
    maxLeft = std::max(maxLeft, left);
    minRight = std::min(minRight, right);
    maxRight = std::max(maxRight, right);
  }
  return maxLeft - minLeft <= 1 && maxRight - minRight <= 1;
}

void BarLetters::NoteEntry(const std::string& text, size_t start, const Glyph& glyph) {
  if (IsIOrL(text, start, text.size() - start) && IsPlainBar(glyph)) positions_.push_back(start);
}

void BarLetters::NoteSplit(const std::string& text, size_t start, const SplitReading& split,
                           const Picture24& bitmap, Colour mark) {
  size_t at = start;
  for (int i = 0; i < split.parts; ++i) {
    const SplitPart& part = split.part[static_cast<size_t>(i)];
    if (IsIOrL(text, at, part.length) && IsPlainBar(ExtractGlyph(bitmap, part.box, mark))) {
      positions_.push_back(at);
    }
    at += part.length;
  }
}

void BarLetters::Decide(std::string& line, char context) {
  if (positions_.empty()) return;
  read_ = line;
  DecideIAndL(line, context, IAndLRules::EveryLanguage, positions_);
  // Before an apostrophe the shared rules cannot tell English "I'm" from
  // French "l'ami": unless they called for a capital, the reading stands.
  for (size_t p : positions_) {
    if (p + 1 < line.size() && line[p + 1] == '\'' && line[p] == 'l') line[p] = read_[p];
  }
}

}  // namespace capter
