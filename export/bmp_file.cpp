#include "export/bmp_file.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

#include "export/byte_order.h"

namespace capter {
namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr int kLargestSide = 16384;
// A background larger than this many pixels (four times a 4096 x 4096
// picture) is refused rather than held in memory at 3 bytes a pixel.
constexpr int64_t kMostPixels = int64_t{1} << 26;

enum Compression : uint32_t { kNone = 0, kBitFields = 3 };

uint32_t PaddedRowBytes(uint64_t width, uint32_t bitsPerPixel) {
  return static_cast<uint32_t>(((width * bitsPerPixel + 31) / 32) * 4);
}

BmpReadResult Refuse(std::string error) {
  return BmpReadResult{false, std::move(error)};
}

// Reads colour channels through the bit masks of 16- and 32-bit pictures.
struct ChannelMask {
  uint32_t mask = 0;
  int shift = 0;
  uint64_t largest = 1;

  explicit ChannelMask(uint32_t m) : mask(m) {
    if (mask == 0) return;
    shift = std::countr_zero(mask);
    largest = (uint64_t{1} << std::popcount(mask >> shift)) - 1;
  }
  uint8_t Of(uint32_t pixel) const {
    if (mask == 0) return 0;
    const uint64_t value = std::min<uint64_t>((pixel & mask) >> shift, largest);
    return static_cast<uint8_t>(value * 255 / largest);
  }
};

struct BmpLayout {
  int64_t width = 0;
  int64_t height = 0;  // negative: rows stored top-down
  uint32_t bitsPerPixel = 0;
  uint32_t compression = kNone;
  uint32_t paletteAt = 0;
  uint32_t paletteEntryBytes = 4;
  uint32_t paletteEntries = 0;
  std::array<uint32_t, 3> masks{};  // red, green, blue
};

BmpReadResult ReadHeaders(std::string_view bytes, BmpLayout& layout) {
  if (bytes.size() < kFileHeaderSize + kCoreHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') {
    return Refuse("not a BMP file");
  }
  const uint32_t infoSize = GetLe32(bytes, 14);
  uint32_t colourCount = 0;
  if (infoSize == kCoreHeaderSize) {
    layout.width = GetLe16(bytes, 18);
    layout.height = GetLe16(bytes, 20);
    layout.bitsPerPixel = GetLe16(bytes, 24);
    layout.paletteEntryBytes = 3;
  } else if (infoSize >= kInfoHeaderSize && bytes.size() - kFileHeaderSize >= infoSize) {
    layout.width = static_cast<int32_t>(GetLe32(bytes, 18));
    layout.height = static_cast<int32_t>(GetLe32(bytes, 22));
    layout.bitsPerPixel = GetLe16(bytes, 28);
    layout.compression = GetLe32(bytes, 30);
    colourCount = GetLe32(bytes, 46);
  } else {
    return Refuse("unknown BMP header");
  }
  layout.paletteAt = kFileHeaderSize + infoSize;
  if (layout.compression == kBitFields) {
    // The masks follow a 40-byte header and are part of the larger ones.
    // Some writers leave them out after a 40-byte header (the pixel rows
    // start right there); the usual masks of the depth then apply.
    const uint32_t masksAt = kFileHeaderSize + kInfoHeaderSize;
    const bool present = infoSize > kInfoHeaderSize || GetLe32(bytes, 10) >= masksAt + 12;
    if (present && bytes.size() < masksAt + 12) return Refuse("BMP colour masks missing");
    if (present) {
      for (size_t i = 0; i < 3; ++i) layout.masks[i] = GetLe32(bytes, masksAt + 4 * i);
      if (infoSize == kInfoHeaderSize) layout.paletteAt += 12;
    } else {
      layout.compression = kNone;
    }
  } else if (layout.compression != kNone) {
    return Refuse("compressed BMP files are not supported");
  }
  switch (layout.bitsPerPixel) {
    case 1:
    case 4:
    case 8: {
      const uint32_t full = 1u << layout.bitsPerPixel;
      layout.paletteEntries = colourCount == 0 || colourCount > full ? full : colourCount;
      const uint64_t paletteEnd =
          uint64_t{layout.paletteAt} + uint64_t{layout.paletteEntries} * layout.paletteEntryBytes;
      if (paletteEnd > bytes.size()) return Refuse("BMP colour table cut short");
      break;
    }
    case 16:
      if (layout.compression == kNone) layout.masks = {0x7C00, 0x03E0, 0x001F};
      break;
    case 24:
      if (layout.compression != kNone) return Refuse("bad 24-bit BMP");
      break;
    case 32:
      if (layout.compression == kNone) layout.masks = {0xFF0000, 0x00FF00, 0x0000FF};
      break;
    default:
      return Refuse("unsupported BMP depth");
  }
  const int64_t rows = layout.height < 0 ? -layout.height : layout.height;
  if (layout.width <= 0 || rows == 0 || layout.width > kLargestSide || rows > kLargestSide ||
      layout.width * rows > kMostPixels) {
    return Refuse("bad BMP picture size");
  }
  return {};
}

Colour PaletteColour(std::string_view bytes, const BmpLayout& layout, uint32_t index) {
  if (index >= layout.paletteEntries) return 0;
  const size_t at = layout.paletteAt + size_t{index} * layout.paletteEntryBytes;
  return MakeColour(static_cast<uint8_t>(bytes[at + 2]), static_cast<uint8_t>(bytes[at + 1]),
                    static_cast<uint8_t>(bytes[at]));
}

void DecodeRow(std::string_view bytes, const BmpLayout& layout, size_t rowAt, Picture24& picture,
               int y) {
  const ChannelMask red(layout.masks[0]), green(layout.masks[1]), blue(layout.masks[2]);
  for (int x = 0; x < picture.Width(); ++x) {
    Colour colour = 0;
    if (layout.bitsPerPixel <= 8) {
      const size_t bit = size_t{static_cast<uint32_t>(x)} * layout.bitsPerPixel;
      const auto byte = static_cast<uint8_t>(bytes[rowAt + bit / 8]);
      const uint32_t shift = 8 - layout.bitsPerPixel - bit % 8;
      colour = PaletteColour(bytes, layout, (byte >> shift) & ((1u << layout.bitsPerPixel) - 1));
    } else if (layout.bitsPerPixel == 24) {
      const size_t at = rowAt + 3 * size_t{static_cast<uint32_t>(x)};
      colour = MakeColour(static_cast<uint8_t>(bytes[at + 2]), static_cast<uint8_t>(bytes[at + 1]),
                          static_cast<uint8_t>(bytes[at]));
    } else {
      const size_t at = rowAt + size_t{static_cast<uint32_t>(x)} * (layout.bitsPerPixel / 8);
      const uint32_t pixel = layout.bitsPerPixel == 16 ? GetLe16(bytes, at) : GetLe32(bytes, at);
      colour = MakeColour(red.Of(pixel), green.Of(pixel), blue.Of(pixel));
    }
    picture.SetPixel(x, y, colour);
  }
}

}  // namespace

std::string EncodeBmp(const PalettedPicture& picture) {
  const uint32_t bits = static_cast<uint32_t>(picture.BitsPerPixel());
  const uint32_t entries = static_cast<uint32_t>(picture.PaletteSize());
  const uint32_t width = static_cast<uint32_t>(picture.Width());
  const uint32_t height = static_cast<uint32_t>(picture.Height());
  const uint32_t rowBytes = PaddedRowBytes(width, bits);
  const uint32_t pixelsAt = kFileHeaderSize + kInfoHeaderSize + 4 * entries;
  const uint32_t imageSize = rowBytes * height;

  std::string out;
  out.reserve(pixelsAt + imageSize);
  out += "BM";
  PutLe32(out, pixelsAt + imageSize);
  PutLe32(out, 0);
  PutLe32(out, pixelsAt);
  PutLe32(out, kInfoHeaderSize);
  PutLe32(out, width);
  PutLe32(out, height);
  PutLe16(out, 1);
  PutLe16(out, bits);
  PutLe32(out, kNone);
  PutLe32(out, imageSize);
  PutLe32(out, 0);
  PutLe32(out, 0);
  PutLe32(out, entries);
  PutLe32(out, 0);
  for (uint32_t i = 0; i < entries; ++i) {
    const Colour c = picture.palette[i];
    out += static_cast<char>(BlueOf(c));
    out += static_cast<char>(GreenOf(c));
    out += static_cast<char>(RedOf(c));
    out += '\0';
  }
  for (int y = picture.Height() - 1; y >= 0; --y) {
    const uint8_t* row = picture.Row(y);
    std::string packed(rowBytes, '\0');
    for (int x = 0; x < picture.Width(); ++x) {
      if (bits == 8) {
        packed[x] = static_cast<char>(row[x]);
      } else {
        // The left pixel of each pair takes the high nibble.
        const int shift = x % 2 == 0 ? 4 : 0;
        packed[x / 2] = static_cast<char>(packed[x / 2] | ((row[x] & 0x0F) << shift));
      }
    }
    out += packed;
  }
  return out;
}

FileResult WriteBmpFile(const PalettedPicture& picture, const std::string& path) {
  return WriteFileAtomically(path, EncodeBmp(picture));
}

BmpReadResult DecodeBmp(std::string_view bytes, Picture24& picture) {
  BmpLayout layout;
  if (BmpReadResult header = ReadHeaders(bytes, layout); !header.ok) return header;
  const int width = static_cast<int>(layout.width);
  const int height = static_cast<int>(layout.height < 0 ? -layout.height : layout.height);
  const uint64_t rowBytes = PaddedRowBytes(static_cast<uint64_t>(width), layout.bitsPerPixel);
  const uint64_t pixelsAt = GetLe32(bytes, 10);
  if (pixelsAt + rowBytes * static_cast<uint64_t>(height) > bytes.size()) {
    return Refuse("BMP pixel rows cut short");
  }
  picture.Resize(width, height);
  for (int stored = 0; stored < height; ++stored) {
    const int y = layout.height < 0 ? stored : height - 1 - stored;
    DecodeRow(bytes, layout, pixelsAt + rowBytes * static_cast<uint64_t>(stored), picture, y);
  }
  return {};
}

BmpReadResult ReadBmpFile(const std::string& path, Picture24& picture) {
  std::string bytes;
  const FileResult read = ReadWholeFile(path, bytes);
  if (!read.ok) return Refuse(read.error);
  BmpReadResult result = DecodeBmp(bytes, picture);
  if (!result.ok) result.error = path + ": " + result.error;
  return result;
}

}  // namespace capter
