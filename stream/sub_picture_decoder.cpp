#include "stream/sub_picture_decoder.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace capter {
namespace {

// Reads a field's run-length codes, most significant bits first, never
// past `end`: bytes there read as zero bits and mark the field exhausted.
class RunReader {
 public:
  RunReader(const uint8_t* bytes, size_t begin, size_t end)
      : bytes_(bytes), position_(begin * 2), end_(end * 2) {}

  bool AtEnd() const { return position_ >= end_; }
  void AlignToByte() { position_ = (position_ + 1) & ~size_t{1}; }

  // One code of 4, 8, 12 or 16 bits: a count and a colour. A count of zero
  // (the 16-bit code with fourteen zero bits) means "to the end of the line".
  // The code's length follows from its leading zero bits, so the next 16
  // bits are looked at once.
  struct Run {
    unsigned count;
    unsigned colour;
  };
  Run Next() {
    // Code length in nibbles by the window's top six bits.
    static constexpr auto kNibbles = [] {
      std::array<uint8_t, 64> table{};
      for (unsigned top = 0; top < 64; ++top)
        table[top] = top >= 16 ? 1 : top >= 4 ? 2 : top >= 1 ? 3 : 4;
      return table;
    }();
    const unsigned window = Window();
    const unsigned nibbles = kNibbles[window >> 10];
    position_ += nibbles;
    const unsigned code = window >> (16 - 4 * nibbles);
    return Run{code >> 2, code & 3};
  }

 private:
  uint8_t Byte(size_t at) const { return at < end_ / 2 ? bytes_[at] : 0; }
  // The 16 bits from the current nibble on.
  unsigned Window() const {
    const size_t at = position_ / 2;
    const unsigned three = unsigned{Byte(at)} << 16 | unsigned{Byte(at + 1)} << 8 | Byte(at + 2);
    return (three >> ((position_ & 1) ? 4 : 8)) & 0xFFFF;
  }

  const uint8_t* bytes_;
  size_t position_;  // in nibbles
  size_t end_;
};

// Most runs are a few pixels long: those are written directly, longer ones
// with memset.
inline void Paint(uint8_t* at, uint8_t grey, int count) {
  if (count <= 4) {
    for (int i = 0; i < 3 * count; ++i) at[i] = grey;
  } else {
    std::memset(at, grey, 3 * static_cast<size_t>(count));
  }
}

void DecodeField(RunReader in, int firstRow, DecodedBitmap& target, const uint8_t grey[4]) {
  const int width = target.Width(), height = target.Height();
  for (int row = firstRow; row < height && !in.AtEnd(); row += 2) {
    uint8_t* pixels = target.Row(row);
    for (int x = 0; x < width;) {
      const RunReader::Run run = in.Next();
      const int count = run.count == 0 ? width - x : std::min<int>(run.count, width - x);
      if (run.colour != 0) Paint(pixels + 3 * x, grey[run.colour], count);
      x += count;
      if (in.AtEnd() && x < width) return;  // the field's bytes ran out mid-line
    }
    in.AlignToByte();
  }
}

// The background of every row; a grey background (the usual case) is one
// memset per row.
void FillBackground(DecodedBitmap& target, Colour background) {
  const uint8_t red = RedOf(background);
  if (GreenOf(background) != red || BlueOf(background) != red) {
    target.Fill(background);
    return;
  }
  const size_t span = static_cast<size_t>(target.Width()) * 3;
  for (int y = 0; y < target.Height(); ++y) std::memset(target.Row(y), red, span);
}

}  // namespace

void DecodeSubPicture(const SubPicture& unit, DecodedBitmap& target, const PaletteGreys& greys) {
  target.Resize(unit.DisplayWidth(), unit.DisplayHeight());
  FillBackground(target, greys[0]);
  const uint8_t grey[4] = {RedOf(greys[0]), RedOf(greys[1]), RedOf(greys[2]), RedOf(greys[3])};
  const std::span<const uint8_t> bytes = unit.Bytes();
  // Each field's last named byte is part of the field; nothing beyond the
  // collected bytes is.
  const auto fieldEnd = [&](size_t last) { return std::min(last + 1, bytes.size()); };
  const size_t top = unit.First().topLineOffset;
  const size_t bottom = unit.First().bottomLineOffset;
  const size_t control = unit.ControlOffset();
  DecodeField(RunReader(bytes.data(), top, fieldEnd(bottom)), 0, target, grey);
  DecodeField(RunReader(bytes.data(), bottom, fieldEnd(control)), 1, target, grey);
}

}  // namespace capter
