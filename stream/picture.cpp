#include "stream/picture.h"

#include <algorithm>
#include <cstring>

namespace capter {

void Picture24::Resize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  stride_ = (width_ * 3 + 3) & ~3;
  const size_t needed = static_cast<size_t>(stride_) * height_;
  if (data_.size() < needed) data_.resize(needed);
}

void Picture24::Fill(Colour c) {
  FillRect(Rect{0, 0, width_ - 1, height_ - 1}, c);
}

void Picture24::FillRect(const Rect& r, Colour c) {
  const int x1 = std::max(r.x1, 0);
  const int y1 = std::max(r.y1, 0);
  const int x2 = std::min(r.x2, width_ - 1);
  const int y2 = std::min(r.y2, height_ - 1);
  if (x1 > x2 || y1 > y2) return;
  const uint8_t bgr[3] = {BlueOf(c), GreenOf(c), RedOf(c)};
  uint8_t* first = Row(y1) + 3 * x1;
  for (int x = x1; x <= x2; ++x) std::memcpy(first + 3 * (x - x1), bgr, 3);
  const size_t span = static_cast<size_t>(x2 - x1 + 1) * 3;
  for (int y = y1 + 1; y <= y2; ++y) std::memcpy(Row(y) + 3 * x1, first, span);
}

void Picture24::CopyRect(const Picture24& src, const Rect& from, int x, int y) {
  int sx1 = std::max(from.x1, 0), sy1 = std::max(from.y1, 0);
  int sx2 = std::min(from.x2, src.width_ - 1), sy2 = std::min(from.y2, src.height_ - 1);
  int dx = x + (sx1 - from.x1), dy = y + (sy1 - from.y1);
  if (dx < 0) sx1 -= dx, dx = 0;
  if (dy < 0) sy1 -= dy, dy = 0;
  sx2 = std::min(sx2, sx1 + (width_ - 1 - dx));
  sy2 = std::min(sy2, sy1 + (height_ - 1 - dy));
  if (sx1 > sx2 || sy1 > sy2) return;
  const size_t span = static_cast<size_t>(sx2 - sx1 + 1) * 3;
  for (int row = sy1; row <= sy2; ++row) {
    std::memmove(Row(dy + row - sy1) + 3 * dx, src.Row(row) + 3 * sx1, span);
  }
}

int Picture24::FloodFill4(int x, int y, Colour c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  const Colour old = Pixel(x, y);
  if (old == c) return 0;
  int changed = 0;
  floodStack_.clear();
  floodStack_.push_back(y * width_ + x);
  SetPixel(x, y, c);
  while (!floodStack_.empty()) {
    const int32_t at = floodStack_.back();
    floodStack_.pop_back();
    ++changed;
    const int px = at % width_, py = at / width_;
    auto visit = [&](int nx, int ny) {
      if (nx < 0 || ny < 0 || nx >= width_ || ny >= height_ || Pixel(nx, ny) != old) return;
      SetPixel(nx, ny, c);
      floodStack_.push_back(ny * width_ + nx);
    };
    visit(px - 1, py);
    visit(px + 1, py);
    visit(px, py - 1);
    visit(px, py + 1);
  }
  return changed;
}

void Picture24::CropTo(const Rect& r) {
  const int w = r.Width(), h = r.Height();
  const size_t span = static_cast<size_t>(w) * 3;
  const int newStride = (w * 3 + 3) & ~3;
  // Rows move towards the start of the buffer, so copying in order is safe.
  for (int y = 0; y < h; ++y) {
    std::memmove(data_.data() + static_cast<size_t>(y) * newStride, Row(r.y1 + y) + 3 * r.x1, span);
  }
  width_ = w;
  height_ = h;
  stride_ = newStride;
}

bool operator==(const Picture24& a, const Picture24& b) {
  if (a.width_ != b.width_ || a.height_ != b.height_) return false;
  const size_t span = static_cast<size_t>(a.width_) * 3;
  for (int y = 0; y < a.height_; ++y) {
    if (std::memcmp(a.Row(y), b.Row(y), span) != 0) return false;
  }
  return true;
}

void PalettedPicture::Resize(int width, int height, int bitsPerPixel) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  bits_ = bitsPerPixel;
  indices_.resize(static_cast<size_t>(width_) * height_);
}

void PalettedPicture::Fill(uint8_t index) {
  std::fill(indices_.begin(), indices_.end(), index);
}

}  // namespace capter
