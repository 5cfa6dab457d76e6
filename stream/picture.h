// The core's own pictures: a 24-bit picture (B, G, R bytes per pixel, rows
// 4-byte aligned so a GUI can wrap the buffer without copying) and a 4/8-bit
// paletted picture. Colours are 0x00BBGGRR values compared exactly.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace capter {

using Colour = uint32_t;  // 0x00BBGGRR, red in the low byte

inline constexpr Colour MakeColour(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}
inline constexpr uint8_t RedOf(Colour c) {
  return static_cast<uint8_t>(c);
}
inline constexpr uint8_t GreenOf(Colour c) {
  return static_cast<uint8_t>(c >> 8);
}
inline constexpr uint8_t BlueOf(Colour c) {
  return static_cast<uint8_t>(c >> 16);
}

// An inclusive rectangle x1, y1, x2, y2.
struct Rect {
  int32_t x1 = 0;
  int32_t y1 = 0;
  int32_t x2 = 0;
  int32_t y2 = 0;

  int32_t Width() const { return x2 - x1 + 1; }
  int32_t Height() const { return y2 - y1 + 1; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

class Picture24 {
 public:
  Picture24() = default;
  Picture24(int width, int height) { Resize(width, height); }

  // Sets the size; the buffer only grows, so a reused picture stops
  // allocating once it has held its largest size. Contents are unspecified.
  void Resize(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Stride() const { return stride_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }

  uint8_t* Row(int y) { return data_.data() + static_cast<size_t>(y) * stride_; }
  const uint8_t* Row(int y) const { return data_.data() + static_cast<size_t>(y) * stride_; }
  uint8_t* Bits() { return data_.data(); }
  const uint8_t* Bits() const { return data_.data(); }

  Colour Pixel(int x, int y) const {
    const uint8_t* p = Row(y) + 3 * x;
    return MakeColour(p[2], p[1], p[0]);
  }
  void SetPixel(int x, int y, Colour c) {
    uint8_t* p = Row(y) + 3 * x;
    p[0] = BlueOf(c);
    p[1] = GreenOf(c);
    p[2] = RedOf(c);
  }

  void Fill(Colour c);
  // Fills the clipped rectangle.
  void FillRect(const Rect& r, Colour c);
  // Copies `src` rectangle `from` with its top-left at (x, y); clipped to both.
  void CopyRect(const Picture24& src, const Rect& from, int x, int y);
  // Fills the 4-connected region of (x, y)'s colour with `c`; returns the
  // number of pixels changed. Uses a reused stack, no per-call allocation
  // once grown.
  int FloodFill4(int x, int y, Colour c);
  // Keeps rectangle `r` (inside the picture), moved to the top-left corner.
  void CropTo(const Rect& r);

  friend bool operator==(const Picture24& a, const Picture24& b);

 private:
  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;
  std::vector<uint8_t> data_;
  std::vector<int32_t> floodStack_;
};

// A 4- or 8-bit picture: one palette index per pixel in memory (packing to
// nibbles happens when a file is written).
class PalettedPicture {
 public:
  void Resize(int width, int height, int bitsPerPixel);
  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitsPerPixel() const { return bits_; }
  uint8_t* Row(int y) { return indices_.data() + static_cast<size_t>(y) * width_; }
  const uint8_t* Row(int y) const { return indices_.data() + static_cast<size_t>(y) * width_; }
  uint8_t Index(int x, int y) const { return Row(y)[x]; }
  void SetIndex(int x, int y, uint8_t i) { Row(y)[x] = i; }
  void Fill(uint8_t index);

  // 16 entries at 4 bits, 256 at 8 bits.
  std::array<Colour, 256> palette{};
  int PaletteSize() const { return bits_ == 4 ? 16 : 256; }

 private:
  int width_ = 0;
  int height_ = 0;
  int bits_ = 8;
  std::vector<uint8_t> indices_;
};

}  // namespace capter
