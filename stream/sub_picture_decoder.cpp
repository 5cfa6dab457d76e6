#include "stream/sub_picture_decoder.h"

#include <algorithm>
#include <cstring>

namespace capter {
namespace {

// Reads a field four bits at a time, most significant first, never past
// `end` (reads there give zero bits and mark the field as exhausted).
class NibbleReader {
 public:
  NibbleReader(const uint8_t* bytes, size_t begin, size_t end)
      : bytes_(bytes), position_(begin * 2), end_(end * 2) {}

  bool AtEnd() const { return position_ >= end_; }
  unsigned Next() {
    if (position_ >= end_) {
      ++position_;
      return 0;
    }
    const uint8_t byte = bytes_[position_ / 2];
    const unsigned value = (position_ & 1) ? (byte & 0x0F) : (byte >> 4);
    ++position_;
    return value;
  }
  void AlignToByte() { position_ = (position_ + 1) & ~size_t{1}; }

 private:
  const uint8_t* bytes_;
  size_t position_;  // in nibbles
  size_t end_;
};

// One run-length code: 4, 8, 12 or 16 bits holding a count and a colour.
// A count of zero (the 16-bit code with fourteen zero bits) means "to the
// end of the line".
struct Run {
  unsigned count;
  unsigned colour;
};

Run ReadRun(NibbleReader& in) {
  unsigned code = in.Next();
  if (code < 0x4) {
    code = code << 4 | in.Next();
    if (code < 0x10) {
      code = code << 4 | in.Next();
      if (code < 0x40) code = code << 4 | in.Next();
    }
  }
  return Run{code >> 2, code & 3};
}

void DecodeField(NibbleReader in, int firstRow, DecodedBitmap& target, const uint8_t grey[4]) {
  const int width = target.Width(), height = target.Height();
  for (int row = firstRow; row < height && !in.AtEnd(); row += 2) {
    uint8_t* pixels = target.Row(row);
    for (int x = 0; x < width;) {
      const Run run = ReadRun(in);
      const int count = run.count == 0 ? width - x : std::min<int>(run.count, width - x);
      if (run.colour != 0) std::memset(pixels + 3 * x, grey[run.colour], 3 * size_t(count));
      x += count;
      if (in.AtEnd() && x < width) return;  // the field's bytes ran out mid-line
    }
    in.AlignToByte();
  }
}

}  // namespace

void DecodeSubPicture(const SubPicture& unit, DecodedBitmap& target, const PaletteGreys& greys) {
  target.Resize(unit.DisplayWidth(), unit.DisplayHeight());
  target.Fill(greys[0]);
  const uint8_t grey[4] = {RedOf(greys[0]), RedOf(greys[1]), RedOf(greys[2]), RedOf(greys[3])};
  const std::span<const uint8_t> bytes = unit.Bytes();
  // Each field's last named byte is part of the field; nothing beyond the
  // collected bytes is.
  const auto fieldEnd = [&](size_t last) { return std::min(last + 1, bytes.size()); };
  const size_t top = unit.First().topLineOffset;
  const size_t bottom = unit.First().bottomLineOffset;
  const size_t control = unit.ControlOffset();
  DecodeField(NibbleReader(bytes.data(), top, fieldEnd(bottom)), 0, target, grey);
  DecodeField(NibbleReader(bytes.data(), bottom, fieldEnd(control)), 1, target, grey);
}

}  // namespace capter
