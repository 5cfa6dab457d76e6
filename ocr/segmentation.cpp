#include "ocr/segmentation.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>

namespace capter {

namespace {

int ItalicWidening(const OcrSettings& settings) {
  return std::max(0, settings.SpaceWidth - settings.ItaSpaceWidth);
}

int RawGap(const TextLine& line, size_t index) {
  const CharBox& here = line.boxes[index];
  return line.boxes[index + 1].Left - here.Left - here.Width;
}

bool ItalicPair(const TextLine& line, size_t index) {
  return line.boxes[index].Italic && line.boxes[index + 1].Italic;
}

// The gap automatic spaces compare: the measured word gap, or for a line
// measured without pixels the box gap, widened between two italic
// characters.
int AutoGap(const TextLine& line, size_t index, const OcrSettings& settings) {
  if (index < line.wordGaps.size()) return line.wordGaps[index];
  return RawGap(line, index) + (ItalicPair(line, index) ? ItalicWidening(settings) : 0);
}

// A small mark wholly in the upper half of the line: a quote mark or an
// apostrophe. Ending a line it closes the word before it, however far the
// full stop or comma under which it starts lies from it.
bool RaisedMark(const TextLine& line, size_t index) {
  const CharBox& box = line.boxes[index];
  const int height = line.bottom - line.top + 1;
  return box.Height * 20 <= height * 9 && 2 * (box.Bottom() - line.top + 1) <= height;
}

}  // namespace

void Segmenter::Segment(Picture24& bitmap, Colour textColour, const OcrSettings& settings,
                        LineTable& table) {
  Segment(bitmap, TextGreys(textColour), settings, table);
}

void Segmenter::Segment(Picture24& bitmap, const TextGreys& text, const OcrSettings& settings,
                        LineTable& table, const std::vector<JoinPixel>& joins) {
  table.Clear();
  width_ = bitmap.Width();
  const int height = bitmap.Height();
  rowHasText_.assign(static_cast<size_t>(height), 0);
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = bitmap.Row(y);
    for (int x = 0; x < width_; ++x) {
      if (text.Has(row + 3 * x)) {
        rowHasText_[y] = 1;
        break;
      }
    }
  }
  // Marking only touches the rows of lines already cut, and a character's
  // region never crosses the empty row below its line, so the row flags stay
  // true for the rows still to be searched.
  int y = 0;
  while (y < height && table.count < kMaxTextLines) {
    const int top = FindRow(y, height - 1);
    if (top < 0) break;
    const int bottom = FindLineBottom(top, settings);
    y = bottom + 1;
    if (bottom - top + 1 > settings.MaxLineHeight) continue;
    TextLine& line = table.lines[table.count++];
    line.top = top;
    line.bottom = bottom;
    line.boxes.clear();
    LoadLine(bitmap, text, top, bottom, joins);
    CutCharacters(settings, line);
    StoreMarks(bitmap, top);
  }
}

int Segmenter::FindRow(int y0, int y1) const {
  for (int y = y0; y <= y1; ++y) {
    if (rowHasText_[y]) return y;
  }
  return -1;
}

int Segmenter::BandBottom(int y0, int y1, int explore) const {
  int bottom = y0;
  for (int y = y0; y <= y1; ++y) {
    if (rowHasText_[y]) {
      bottom = y;
    } else if (y - y0 >= explore) {
      break;
    }
  }
  return bottom;
}

int Segmenter::FindLineBottom(int top, const OcrSettings& settings) const {
  const int last = static_cast<int>(rowHasText_.size()) - 1;
  int bottom = BandBottom(top, last, settings.MinLineHeight);
  // Bands closer than MinInterLine empty rows (accents over capitals) join.
  int next = FindRow(bottom + 1, last);
  while (next >= 0 && next - bottom - 1 < settings.MinInterLine) {
    bottom = BandBottom(next, last, settings.MinLineHeight);
    next = FindRow(bottom + 1, last);
  }
  return bottom;
}

void Segmenter::LoadLine(const Picture24& bitmap, const TextGreys& text, int top, int bottom,
                         const std::vector<JoinPixel>& joins) {
  height_ = bottom - top + 1;
  cells_.resize(static_cast<size_t>(width_) * height_);
  for (int row = 0; row < height_; ++row) {
    const uint8_t* p = bitmap.Row(top + row);
    for (int c = 0; c < width_; ++c, p += 3) {
      Cell(c, row) = text.Has(p) ? kText : kEmpty;
    }
  }
  joining_ = text.Count() > 1;
  if (joining_) {
    // Only the first grey is the character's body; the others only join it.
    const TextGreys body(text.First());
    joinOnly_.assign(cells_.size(), 0);
    for (int row = 0; row < height_; ++row) {
      const uint8_t* p = bitmap.Row(top + row);
      for (int c = 0; c < width_; ++c, p += 3) {
        if (Cell(c, row) == kText && !body.Has(p)) {
          joinOnly_[static_cast<size_t>(c) * height_ + row] = 1;
        }
      }
    }
  }
  for (const JoinPixel& p : joins) {
    if (p.y < top || p.y > bottom || p.x < 0 || p.x >= width_ || Cell(p.x, p.y - top) != kEmpty) {
      continue;
    }
    if (!joining_) joinOnly_.assign(cells_.size(), 0);
    joining_ = true;
    Cell(p.x, p.y - top) = kText;
    joinOnly_[static_cast<size_t>(p.x) * height_ + (p.y - top)] = 1;
  }
}

bool Segmenter::Body(int c, int r) const {
  return !joining_ || joinOnly_[static_cast<size_t>(c) * height_ + r] == 0;
}

bool Segmenter::FindSeed(int fromColumn, int& seedC, int& seedR) const {
  for (int c = fromColumn; c < width_; ++c) {
    const uint8_t* col = cells_.data() + static_cast<size_t>(c) * height_;
    for (int r = height_ - 1; r >= 0; --r) {
      if (col[r] == kText) {
        seedC = c;
        seedR = r;
        return true;
      }
    }
  }
  return false;
}

void Segmenter::CutCharacters(const OcrSettings& settings, TextLine& line) {
  int x = 0;
  while (line.boxes.size() < kMaxCharsPerLine) {
    int seedC = 0, seedR = 0;
    if (!FindSeed(x, seedC, seedR)) break;
    const uint8_t mark = line.boxes.size() % 2 == 0 ? kLabelA : kLabelB;
    Fill(seedC, seedR, mark);
    int nextStart = -1;
    const int right = ScanExtent(seedC, mark, settings, nextStart);

    // The box holds the character's body pixels.
    int charTop = height_, charBottom = -1, charLeft = right + 1, charRight = -1;
    for (int c = seedC; c <= right; ++c) {
      const uint8_t* col = cells_.data() + static_cast<size_t>(c) * height_;
      for (int r = 0; r < height_; ++r) {
        if (col[r] != mark || !Body(c, r)) continue;
        charTop = std::min(charTop, r);
        charBottom = std::max(charBottom, r);
        charLeft = std::min(charLeft, c);
        charRight = std::max(charRight, c);
      }
    }
    if (charBottom < 0) {  // only joining greys: a speck
      if (nextStart < 0) break;
      x = nextStart;
      continue;
    }
    CharBox box;
    box.Left = static_cast<uint16_t>(charLeft);
    box.Top = static_cast<uint16_t>(line.top + charTop);
    box.Width = static_cast<uint16_t>(charRight - charLeft + 1);
    box.Height = static_cast<uint16_t>(charBottom - charTop + 1);
    box.TopOffset = static_cast<uint8_t>(charTop);
    // A rejected speck keeps its mark, which the next character reuses.
    if (KeepsBox(box, settings) && !MergeDetachedLowerPart(line, box) &&
        !(settings.KeepSmallMarks && JoinMarkPair(line, box))) {
      line.boxes.push_back(box);
    }
    if (nextStart < 0) break;
    x = nextStart;
  }
  SetItalicFlags(line, settings);
  if (settings.AutoSpaces) MeasureWordGaps(line);
}

int Segmenter::ScanExtent(int left, uint8_t mark, const OcrSettings& settings, int& nextStart) {
  int right = left;
  nextStart = -1;
  for (int c = left; c < width_; ++c) {
    uint8_t* col = cells_.data() + static_cast<size_t>(c) * height_;
    const uint8_t* before = c > 0 ? col - height_ : nullptr;
    const bool diagonal = settings.CheckDetachedChar && before != nullptr;
    bool hasMark = false;
    // Bottom up, so text above a marked pixel of the same column (the dot
    // of i and j, accents, the upper dot of a colon) joins the character.
    for (int r = height_ - 1; r >= 0; --r) {
      if (col[r] == mark) {
        hasMark = true;
      } else if (col[r] == kText) {
        const bool touches = diagonal && ((r > 0 && before[r - 1] == mark) ||
                                          (r < height_ - 1 && before[r + 1] == mark));
        if (hasMark || touches) {
          Fill(c, r, mark);
          hasMark = true;
        } else if (nextStart < 0) {
          nextStart = c;
        }
      }
    }
    if (hasMark) {
      right = c;
    } else if (c - left >= settings.MinCharWidth) {
      if (nextStart < 0) nextStart = c;
      return right;
    }
  }
  return right;
}

bool Segmenter::MergeDetachedLowerPart(TextLine& line, const CharBox& box) {
  if (line.boxes.empty()) return false;
  CharBox& previous = line.boxes.back();
  if (box.Top <= previous.Bottom() || box.Right() > previous.Right()) return false;
  // The dot of "!" or "?" seeded after its stem: recolour it with the stem's
  // mark and stretch the stem's box down to it.
  const uint8_t newMark = line.boxes.size() % 2 == 0 ? kLabelA : kLabelB;
  const uint8_t previousMark = newMark == kLabelA ? kLabelB : kLabelA;
  const int top = box.Top - line.top;
  for (int r = top; r < top + box.Height; ++r) {
    for (int c = box.Left; c <= box.Right(); ++c) {
      if (Cell(c, r) == newMark) {
        Fill(c, r, previousMark);
        previous.Height = static_cast<uint16_t>(box.Bottom() - previous.Top + 1);
        return true;
      }
    }
  }
  return false;
}

bool Segmenter::JoinMarkPair(TextLine& line, const CharBox& box) {
  if (line.boxes.empty()) return false;
  CharBox& previous = line.boxes.back();
  const int height = line.bottom - line.top + 1;
  // Two small narrow marks of about one size on the same rows, close side
  // by side: the ticks of a double quote, the chevrons of a guillemet. The
  // second is not a character of its own; taught alone it would read the
  // first tick as a quote too.
  const auto small = [&](const CharBox& b) {
    return b.Height * 20 <= height * 9 && b.Width <= b.Height + 2;
  };
  const int gap = box.Left - previous.Right() - 1;
  const int reach = std::max({static_cast<int>(previous.Width), static_cast<int>(box.Width),
                              (previous.Height + box.Height + 2) / 4});
  const int shared =
      std::min(previous.Bottom(), box.Bottom()) - std::max(previous.Top, box.Top) + 1;
  if (!small(previous) || !small(box) || gap > reach ||
      shared * 2 < std::min(previous.Height, box.Height) ||
      std::abs(box.Height - previous.Height) * 3 > std::max(box.Height, previous.Height)) {
    return false;
  }
  const uint8_t newMark = line.boxes.size() % 2 == 0 ? kLabelA : kLabelB;
  Recolour(box, line.top, newMark, newMark == kLabelA ? kLabelB : kLabelA);
  const int top = std::min(previous.Top, box.Top);
  const int bottom = std::max(previous.Bottom(), box.Bottom());
  const int right = std::max(previous.Right(), box.Right());
  previous.Top = static_cast<uint16_t>(top);
  previous.Height = static_cast<uint16_t>(bottom - top + 1);
  previous.Width = static_cast<uint16_t>(right - previous.Left + 1);
  previous.TopOffset = static_cast<uint8_t>(top - line.top);
  return true;
}

void Segmenter::Recolour(const CharBox& box, int lineTop, uint8_t from, uint8_t to) {
  for (int r = box.Top - lineTop; r <= box.Bottom() - lineTop; ++r) {
    for (int c = box.Left; c <= box.Right(); ++c) {
      if (Cell(c, r) == from) Fill(c, r, to);
    }
  }
}

namespace {
constexpr int kNoColumn = -1;

// The most consecutive rows holding pixels, from a box's row extents.
int TallestStroke(const std::vector<int>& left) {
  int tallest = 0, run = 0;
  for (int column : left) {
    run = column == kNoColumn ? 0 : run + 1;
    tallest = std::max(tallest, run);
  }
  return tallest;
}

// The lower median of `values` (not empty); reorders them.
int LowerMedian(std::vector<int>& values) {
  const auto middle = values.begin() + static_cast<std::ptrdiff_t>((values.size() - 1) / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}
}  // namespace

void Segmenter::RowExtents(const CharBox& box, int lineTop, uint8_t mark, std::vector<int>& left,
                           std::vector<int>& right) const {
  left.assign(static_cast<size_t>(height_), kNoColumn);
  right.assign(static_cast<size_t>(height_), kNoColumn);
  for (int c = box.Left; c <= box.Right(); ++c) {
    const uint8_t* col = cells_.data() + static_cast<size_t>(c) * height_;
    for (int r = box.Top - lineTop; r <= box.Bottom() - lineTop; ++r) {
      if (col[r] != mark || !Body(c, r)) continue;
      if (left[r] == kNoColumn) left[r] = c;
      right[r] = c;
    }
  }
}

void Segmenter::MeasureWordGaps(TextLine& line) {
  line.wordGaps.clear();
  const size_t n = line.boxes.size();
  if (n < 2) return;
  // First the ink gap minus the box gap of every pair (-1: no common row).
  slack_.clear();
  broad_.clear();
  stroke_.clear();
  RowExtents(line.boxes[0], line.top, kLabelA, leftA_, rightA_);
  stroke_.push_back(TallestStroke(leftA_));
  // Measured from the rightmost column so far: a piece cut off below a
  // letter (the loop of a "g") does not open a gap of its own.
  int right = -1;
  for (size_t j = 0; j + 1 < n; ++j) {
    right = std::max(right, line.boxes[j].Right());
    const uint8_t nextMark = (j + 1) % 2 == 0 ? kLabelA : kLabelB;
    RowExtents(line.boxes[j + 1], line.top, nextMark, leftB_, rightB_);
    stroke_.push_back(TallestStroke(leftB_));
    const int boxGap = line.boxes[j + 1].Left - right - 1;
    const int ownGap = line.boxes[j + 1].Left - line.boxes[j].Right() - 1;
    // The narrowest row, and the narrowest but for one row.
    int slack = -1, broad = -1;
    for (int r = 0; r < height_; ++r) {
      if (rightA_[r] == kNoColumn || leftB_[r] == kNoColumn) continue;
      const int rowSlack = leftB_[r] - rightA_[r] - 1 - ownGap;  // never negative
      if (slack < 0 || rowSlack < slack) {
        broad = slack;
        slack = rowSlack;
      } else if (broad < 0 || rowSlack < broad) {
        broad = rowSlack;
      }
    }
    slack_.push_back(slack);
    broad_.push_back(broad < 0 ? slack : broad);
    line.wordGaps.push_back(boxGap);
    std::swap(leftA_, leftB_);
    std::swap(rightA_, rightB_);
  }
  // The line's typical slack (lower median of the pairs that have one).
  leftB_.clear();
  for (int s : slack_) {
    if (s >= 0) leftB_.push_back(s);
  }
  if (leftB_.empty()) return;
  const int typical = LowerMedian(leftB_);
  // The line's body height: the lower median of its box heights.
  leftB_.clear();
  for (const CharBox& box : line.boxes) leftB_.push_back(box.Height);
  const int body = LowerMedian(leftB_);
  // A letter has a stroke of more than half the body height; the dots of a
  // colon or semicolon, each small, make it a mark however far apart.
  const auto letter = [&](size_t j) { return 2 * stroke_[j] > body; };
  for (size_t j = 0; j < slack_.size(); ++j) {
    int widening = std::max(0, std::min(slack_[j], typical));
    // Between two letters of body size, half the ink gap's excess counts
    // anyway: the hook of an "f" or the bar of a "t" narrows the box gap
    // of a word gap, while the half leaves kerned pairs ("To", "Yo") among
    // the letter gaps. A single row where the two come closest (the bar of
    // a "t" facing the shoulder of an "e") does not set that excess. Next
    // to a mark (full stop, comma, quote, colon) the ink gap says nothing
    // about words.
    if (letter(j) && letter(j + 1)) widening = std::max(widening, broad_[j] / 2);
    line.wordGaps[j] += widening;
  }
}

void Segmenter::Fill(int c, int r, uint8_t to) {
  const uint8_t from = Cell(c, r);
  if (from == to) return;
  const int h = height_;
  const int count = width_ * h;
  fillStack_.clear();
  cells_[static_cast<size_t>(c) * h + r] = to;
  fillStack_.push_back(c * h + r);
  while (!fillStack_.empty()) {
    const int i = fillStack_.back();
    fillStack_.pop_back();
    const int row = i % h;
    const auto visit = [&](int j) {
      if (cells_[j] == from) {
        cells_[j] = to;
        fillStack_.push_back(j);
      }
    };
    if (row > 0) visit(i - 1);
    if (row < h - 1) visit(i + 1);
    if (i >= h) visit(i - h);
    if (i + h < count) visit(i + h);
  }
}

void Segmenter::StoreMarks(Picture24& bitmap, int top) const {
  for (int r = 0; r < height_; ++r) {
    uint8_t* p = bitmap.Row(top + r);
    for (int c = 0; c < width_; ++c, p += 3) {
      const uint8_t v = cells_[static_cast<size_t>(c) * height_ + r];
      if (v < kLabelA || !Body(c, r)) continue;
      const Colour mark = v == kLabelA ? kMarkA : kMarkB;
      p[0] = BlueOf(mark);
      p[1] = GreenOf(mark);
      p[2] = RedOf(mark);
    }
  }
}

void SetItalicFlags(TextLine& line, const OcrSettings& settings) {
  std::vector<CharBox>& boxes = line.boxes;
  const size_t n = boxes.size();
  if (n == 0) return;
  if (n == 1) {
    boxes[0].Italic = 0;
    return;
  }
  // Gaps are signed: the boxes of slanted letters overlap.
  for (size_t j = 0; j + 1 < n; ++j) {
    const int previousRight = j == 0 ? -100 : boxes[j - 1].Right();
    const int gapBefore = boxes[j].Left - previousRight - 1;
    const int gapAfter = boxes[j + 1].Left - boxes[j].Right() - 1;
    boxes[j].Italic =
        gapBefore <= settings.DetectItaWidth || gapAfter <= settings.DetectItaWidth ? 1 : 0;
  }
  boxes[n - 1].Italic = boxes[n - 2].Italic;
}

bool KeepsBox(const CharBox& box, const OcrSettings& settings) {
  const int w = box.Width, h = box.Height;
  if (w >= settings.MinCharWidth && h >= settings.MinCharHeight) return true;
  if (!settings.KeepSmallMarks) return false;
  // A hyphen or dash is flat but wide, an apostrophe or a thin stem narrow
  // but tall, and a full stop of small type may be two pixels; only a lone
  // pixel is a speck.
  return (h >= 1 && w >= 2 * std::max<int>(settings.MinCharWidth, 2)) ||
         (w >= 1 && h >= 2 * std::max<int>(settings.MinCharHeight, 2)) || w * h >= 2;
}

int LineSpaceThreshold(const TextLine& line, const OcrSettings& settings) {
  const int height = line.bottom - line.top + 1;
  const int low = std::max(2, (height * 12 + 50) / 100);
  // Outlined text at small sizes has letter gaps of up to half its height
  // and word gaps well above it.
  const int high = std::max(low + 1, height * 2 / 3);
  const size_t n = line.boxes.size();
  if (n < 2) return high;
  // On the stack: recognition does not allocate once warmed up.
  std::array<int, kMaxCharsPerLine> gaps;
  const size_t count = std::min(n - 1, gaps.size());
  int64_t total = 0;
  // Overlapping boxes (slanted letters, a letter cut in two) are no gap at
  // all; how far they overlap must not pull the letter gaps' mean down.
  for (size_t j = 0; j < count; ++j) {
    gaps[j] = std::max(0, AutoGap(line, j, settings));
    total += gaps[j];
  }
  std::sort(gaps.begin(), gaps.begin() + static_cast<std::ptrdiff_t>(count));
  // Letter gaps below, word gaps above: the split of the sorted gaps with
  // the largest spread between the two groups (weighted by their sizes).
  int64_t lowerSum = 0, bestSpread = -1;
  double bestDistance = 0;
  int threshold = high;
  for (size_t k = 0; k + 1 < count; ++k) {
    lowerSum += gaps[k];
    if (gaps[k + 1] == gaps[k] || gaps[k + 1] < low || gaps[k] >= high) continue;
    const int64_t lower = static_cast<int64_t>(k + 1), upper = static_cast<int64_t>(count) - lower;
    // lower * upper * (mean difference)^2, kept in integers.
    const int64_t difference = (total - lowerSum) * lower - lowerSum * upper;
    const int64_t spread = difference * difference / (lower * upper);
    if (spread <= bestSpread) continue;
    bestSpread = spread;
    bestDistance = static_cast<double>(difference) / static_cast<double>(lower * upper);
    threshold = (gaps[k] + gaps[k + 1]) / 2 + 1;
  }
  // Groups closer than this are letter gaps of one word only.
  const int clear = std::max(3, (height + 2) / 5);
  if (bestSpread < 0 || bestDistance < clear) return high;
  return std::clamp(threshold, low, high);
}

int SpaceThreshold(const TextLine& line, size_t index, const OcrSettings& settings,
                   int lineThreshold) {
  if (!settings.AutoSpaces) {
    return ItalicPair(line, index) ? settings.ItaSpaceWidth : settings.SpaceWidth;
  }
  return lineThreshold;
}

bool SpaceAfter(const TextLine& line, size_t index, const OcrSettings& settings,
                int lineThreshold) {
  if (index + 1 >= line.boxes.size()) return false;
  if (settings.AutoSpaces && index + 2 == line.boxes.size() && RaisedMark(line, index + 1)) {
    return false;
  }
  const int gap = settings.AutoSpaces ? AutoGap(line, index, settings) : RawGap(line, index);
  return gap >= SpaceThreshold(line, index, settings, lineThreshold);
}

bool SpaceAfter(const TextLine& line, size_t index, const OcrSettings& settings) {
  const int lineThreshold = settings.AutoSpaces ? LineSpaceThreshold(line, settings) : 0;
  return SpaceAfter(line, index, settings, lineThreshold);
}

}  // namespace capter
