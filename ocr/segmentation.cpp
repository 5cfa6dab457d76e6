#include "ocr/segmentation.h"

#include <algorithm>

namespace capter {

namespace {

bool IsColour(const uint8_t* p, uint8_t b, uint8_t g, uint8_t r) {
  return p[0] == b && p[1] == g && p[2] == r;
}

}  // namespace

void Segmenter::Segment(Picture24& bitmap, Colour textColour, const OcrSettings& settings,
                        LineTable& table) {
  table.Clear();
  width_ = bitmap.Width();
  const int height = bitmap.Height();
  const uint8_t b = BlueOf(textColour), g = GreenOf(textColour), r = RedOf(textColour);
  rowHasText_.assign(static_cast<size_t>(height), 0);
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = bitmap.Row(y);
    for (int x = 0; x < width_; ++x) {
      if (IsColour(row + 3 * x, b, g, r)) {
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
    LoadLine(bitmap, textColour, top, bottom);
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

void Segmenter::LoadLine(const Picture24& bitmap, Colour textColour, int top, int bottom) {
  height_ = bottom - top + 1;
  cells_.resize(static_cast<size_t>(width_) * height_);
  const uint8_t b = BlueOf(textColour), g = GreenOf(textColour), r = RedOf(textColour);
  for (int row = 0; row < height_; ++row) {
    const uint8_t* p = bitmap.Row(top + row);
    for (int c = 0; c < width_; ++c, p += 3) {
      Cell(c, row) = IsColour(p, b, g, r) ? kText : kEmpty;
    }
  }
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

    int charTop = height_, charBottom = -1;
    for (int c = seedC; c <= right; ++c) {
      const uint8_t* col = cells_.data() + static_cast<size_t>(c) * height_;
      for (int r = 0; r < height_; ++r) {
        if (col[r] != mark) continue;
        charTop = std::min(charTop, r);
        charBottom = std::max(charBottom, r);
      }
    }
    CharBox box;
    box.Left = static_cast<uint16_t>(seedC);
    box.Top = static_cast<uint16_t>(line.top + charTop);
    box.Width = static_cast<uint16_t>(right - seedC + 1);
    box.Height = static_cast<uint16_t>(charBottom - charTop + 1);
    box.TopOffset = static_cast<uint8_t>(charTop);
    // A rejected speck keeps its mark, which the next character reuses.
    if (box.Width >= settings.MinCharWidth && box.Height >= settings.MinCharHeight &&
        !MergeDetachedLowerPart(line, box)) {
      line.boxes.push_back(box);
    }
    if (nextStart < 0) break;
    x = nextStart;
  }
  SetItalicFlags(line, settings);
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
      if (v < kLabelA) continue;
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

bool SpaceAfter(const TextLine& line, size_t index, const OcrSettings& settings) {
  if (index + 1 >= line.boxes.size()) return false;
  const CharBox& here = line.boxes[index];
  const CharBox& next = line.boxes[index + 1];
  const int gap = next.Left - here.Left - here.Width;
  const int threshold = here.Italic && next.Italic ? settings.ItaSpaceWidth : settings.SpaceWidth;
  return gap >= threshold;
}

}  // namespace capter
