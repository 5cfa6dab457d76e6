#include "ocr/line_alignment.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace capter {

namespace {

// Costs in hundredths of a letter width. A box may show at most this many
// characters (as many as a touching split reads).
constexpr int kMaxPerBox = 3;
// A box that shows nothing is rare (a speck), a touching pair rarer than a
// single letter, and a known box that reads otherwise than typed rarer
// still: each costs more than a plain width error.
constexpr int kNothingCost = 200;
constexpr int kExtraCharacterCost = 50;
constexpr int kMisfitCost = 200;
// Readings within half a letter width of the best one are as good as it.
constexpr int kClearMargin = 50;
constexpr int kInfinite = std::numeric_limits<int>::max() / 4;

std::string WithoutSpaces(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c != ' ') out += c;
  }
  return out;
}

// Marks that sit low or high in a line and are much lower than a letter.
bool IsSmallMark(char c) {
  static constexpr std::string_view kMarks = ".,'`-_\"~^*\x82\x84\x91\x92\x93\x94\x96\x97\xB7\xB0";
  return kMarks.find(c) != std::string_view::npos;
}

bool IsLetterOrDigit(char c) {
  const auto u = static_cast<unsigned char>(c);
  return std::isalnum(u) != 0 || u >= 0xC0;
}

// The width a character usually takes, in hundredths of a letter width.
int ExpectedWidth(char c) {
  static constexpr std::string_view kNarrow = "iljtfrI1!.,:;'`|()[]-\"\x91\x92\xEC\xED\xEE\xEF";
  static constexpr std::string_view kWide = "mwMW\xC6\xE6\x8C\x9C";
  if (kNarrow.find(c) != std::string_view::npos) return 45;
  if (kWide.find(c) != std::string_view::npos) return 150;
  return 100;
}

// The line's typical letter: the upper median width and height of the
// boxes at least half as high as the line, or of all boxes when none is.
struct Letter {
  int width = 1;
  int height = 1;
};

Letter TypicalLetter(const std::vector<AlignedBox>& boxes, int lineHeight) {
  std::vector<int> widths, heights;
  for (const AlignedBox& b : boxes) {
    if (2 * b.height >= lineHeight) {
      widths.push_back(b.width);
      heights.push_back(b.height);
    }
  }
  if (widths.empty()) {
    for (const AlignedBox& b : boxes) {
      widths.push_back(b.width);
      heights.push_back(b.height);
    }
  }
  if (widths.empty()) return {};
  std::sort(widths.begin(), widths.end());
  std::sort(heights.begin(), heights.end());
  return {std::max(widths[widths.size() / 2], 1), std::max(heights[heights.size() / 2], 1)};
}

// How badly `chars` fit a box, or kInfinite when they cannot be in it.
int UnknownCost(const AlignedBox& box, std::string_view chars, const Letter& letter) {
  const int width = 100 * box.width / letter.width;
  if (chars.empty()) return kNothingCost + width;
  int expected = 0;
  for (char c : chars) expected += ExpectedWidth(c);
  const int count = static_cast<int>(chars.size());
  if (count == 1) {
    // A box far lower than a letter is a mark, a tall one is not.
    const bool low = 5 * box.height < 2 * letter.height;
    const bool tall = 5 * box.height >= 4 * letter.height;
    if ((low && IsLetterOrDigit(chars[0])) || (tall && IsSmallMark(chars[0]))) return kInfinite;
  } else if (20 * width < 17 * expected) {
    // Touching characters are as wide as they are side by side: a wide
    // letter next to a mark the segmentation lost is not taken for both.
    return kInfinite;
  }
  return kExtraCharacterCost * (count - 1) + std::abs(width - expected);
}

struct Step {
  int cost = kInfinite;
  bool misfit = false;
};

class Aligner {
 public:
  Aligner(const std::vector<AlignedBox>& boxes, std::string answer, int lineHeight)
      : boxes_(boxes), answer_(std::move(answer)), letter_(TypicalLetter(boxes, lineHeight)) {
    for (const AlignedBox& b : boxes_) known_.push_back(WithoutSpaces(b.text));
  }

  LineAssignment Run() {
    LineAssignment result(boxes_.size());
    Forward();
    Backward();
    const int best = Cost(0, 0);
    if (best >= kInfinite) return result;
    const size_t n = boxes_.size();
    // Every step that lies on a reading close to the best one.
    std::vector<std::vector<std::pair<int, int>>> near(n);
    std::vector<bool> misfit(n, false), nothing(n, false);
    for (size_t i = 0; i < n; ++i) {
      for (int p = 0; p <= Length(); ++p) {
        if (forward_[Index(i, p)] >= kInfinite) continue;
        for (int c = 0; c <= MaxCount(i) && p + c <= Length(); ++c) {
          const Step step = StepCost(i, p, c);
          if (step.cost >= kInfinite || backward_[Index(i + 1, p + c)] >= kInfinite) continue;
          if (forward_[Index(i, p)] + step.cost + backward_[Index(i + 1, p + c)] >
              best + kClearMargin) {
            continue;
          }
          near[i].emplace_back(p, c);
          misfit[i] = misfit[i] || step.misfit;
          nothing[i] = nothing[i] || (!boxes_[i].known && c == 0);
        }
      }
    }
    for (size_t first = 0; first < n;) {
      if (boxes_[first].known) {
        ++first;
        continue;
      }
      size_t last = first;
      while (last + 1 < n && !boxes_[last + 1].known) ++last;
      if (RunMayBeSettled(first, last, misfit, nothing)) {
        for (size_t i = first; i <= last; ++i) {
          if (near[i].size() != 1 || near[i][0].second == 0) continue;
          result[i] = answer_.substr(static_cast<size_t>(near[i][0].first),
                                     static_cast<size_t>(near[i][0].second));
        }
      }
      first = last + 1;
    }
    return result;
  }

 private:
  int Length() const { return static_cast<int>(answer_.size()); }
  // The most characters box `i` may take: a known box its whole text.
  int MaxCount(size_t i) const { return std::max(kMaxPerBox, static_cast<int>(known_[i].size())); }
  size_t Index(size_t box, int position) const {
    return box * (answer_.size() + 1) + static_cast<size_t>(position);
  }
  int Cost(size_t box, int position) const { return backward_[Index(box, position)]; }

  // Box `i` showing the `count` characters from `position` on.
  Step StepCost(size_t i, int position, int count) const {
    const AlignedBox& box = boxes_[i];
    if (!box.known) {
      return {UnknownCost(box,
                          std::string_view(answer_).substr(static_cast<size_t>(position),
                                                           static_cast<size_t>(count)),
                          letter_),
              false};
    }
    const std::string& text = known_[i];
    if (answer_.compare(static_cast<size_t>(position), static_cast<size_t>(count), text) == 0) {
      return {0, false};
    }
    return {kMisfitCost, true};
  }

  void Forward() {
    forward_.assign((boxes_.size() + 1) * (answer_.size() + 1), kInfinite);
    forward_[Index(0, 0)] = 0;
    for (size_t i = 0; i < boxes_.size(); ++i) {
      for (int p = 0; p <= Length(); ++p) {
        const int here = forward_[Index(i, p)];
        if (here >= kInfinite) continue;
        for (int c = 0; c <= MaxCount(i) && p + c <= Length(); ++c) {
          const int cost = StepCost(i, p, c).cost;
          if (cost >= kInfinite) continue;
          int& next = forward_[Index(i + 1, p + c)];
          next = std::min(next, here + cost);
        }
      }
    }
  }

  void Backward() {
    backward_.assign((boxes_.size() + 1) * (answer_.size() + 1), kInfinite);
    backward_[Index(boxes_.size(), Length())] = 0;
    for (size_t i = boxes_.size(); i-- > 0;) {
      for (int p = 0; p <= Length(); ++p) {
        int best = kInfinite;
        for (int c = 0; c <= MaxCount(i) && p + c <= Length(); ++c) {
          const int rest = backward_[Index(i + 1, p + c)];
          const int cost = StepCost(i, p, c).cost;
          if (rest < kInfinite && cost < kInfinite) best = std::min(best, cost + rest);
        }
        backward_[Index(i, p)] = best;
      }
    }
  }

  // The unknown boxes first..last may be settled when none of them may
  // show nothing and the known boxes around them take their own text; then
  // each box with exactly one near-best place is.
  bool RunMayBeSettled(size_t first, size_t last, const std::vector<bool>& misfit,
                       const std::vector<bool>& nothing) const {
    if (first > 0 && misfit[first - 1]) return false;
    if (last + 1 < boxes_.size() && misfit[last + 1]) return false;
    for (size_t i = first; i <= last; ++i) {
      if (nothing[i]) return false;
    }
    return true;
  }

  const std::vector<AlignedBox>& boxes_;
  std::vector<std::string> known_;  // known texts without spaces
  std::string answer_;
  Letter letter_;
  std::vector<int> forward_;   // cheapest cost of boxes [0, i) reading answer [0, p)
  std::vector<int> backward_;  // cheapest cost of boxes [i, n) reading answer [p, end)
};

}  // namespace

LineAssignment AlignLineAnswer(const std::vector<AlignedBox>& boxes, const std::string& answer,
                               int lineHeight) {
  return Aligner(boxes, WithoutSpaces(answer), lineHeight).Run();
}

}  // namespace capter
