#include "export/bmp_file.h"

#include <gtest/gtest.h>

#include "base/atomic_file.h"
#include "tests/export/image_magick.h"
#include "tests/export/temp_folder.h"

namespace capter {
namespace {

using testing::ConvertPixels;
using testing::IdentifyBmp;

// A picture whose pixel (x, y) has index (x + 3y) mod 16 over a palette of
// distinct colours.
PalettedPicture Pattern(int width, int height, int bits) {
  PalettedPicture picture;
  picture.Resize(width, height, bits);
  for (int i = 0; i < 256; ++i) {
    picture.palette[i] = MakeColour(static_cast<uint8_t>(i * 16), static_cast<uint8_t>(255 - i),
                                    static_cast<uint8_t>(i * 7));
  }
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.SetIndex(x, y, static_cast<uint8_t>((x + 3 * y) % 16));
  }
  return picture;
}

uint32_t Le32(const std::string& bytes, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(bytes[at + i]);
  return v;
}

class BmpFile : public testing::TempFolderTest {
 protected:
  // Writes the picture, and checks what ImageMagick makes of it.
  void ExpectDecodedAsWritten(const PalettedPicture& picture, const char* depth,
                              const char* colourmap) {
    const std::string path = Path("p.bmp");
    ASSERT_TRUE(WriteBmpFile(picture, path).ok);
    auto fields = IdentifyBmp(path);
    ASSERT_FALSE(fields.empty()) << "identify failed";
    EXPECT_EQ(fields["Geometry"],
              std::to_string(picture.Width()) + "x" + std::to_string(picture.Height()) + "+0+0");
    EXPECT_EQ(fields["Depth"], depth);
    EXPECT_EQ(fields["Colormap entries"], colourmap);
    const auto pixels = ConvertPixels(path);
    ASSERT_EQ(pixels.size(), static_cast<size_t>(picture.Width() * picture.Height()));
    for (int y = 0; y < picture.Height(); ++y) {
      for (int x = 0; x < picture.Width(); ++x) {
        ASSERT_EQ(pixels.at({x, y}), picture.palette[picture.Index(x, y)]) << x << "," << y;
      }
    }
  }
};

TEST_F(BmpFile, AnIndependentDecoderReadsFourBitPicturesOfOddWidth) {
  ExpectDecodedAsWritten(Pattern(7, 5, 4), "4/8-bit", "16");
}

TEST_F(BmpFile, AnIndependentDecoderReadsEightBitPictures) {
  ExpectDecodedAsWritten(Pattern(13, 4, 8), "8-bit", "256");
}

TEST_F(BmpFile, HeaderFieldsAndPaddedBottomUpRows) {
  const PalettedPicture picture = Pattern(1, 3, 4);
  const std::string bytes = EncodeBmp(picture);
  // 14 + 40 header bytes, 16 colours of 4 bytes, 3 rows of 4 bytes.
  ASSERT_EQ(bytes.size(), 14u + 40 + 64 + 12);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(Le32(bytes, 2), bytes.size());
  EXPECT_EQ(Le32(bytes, 10), 118u);
  EXPECT_EQ(Le32(bytes, 18), 1u);
  EXPECT_EQ(Le32(bytes, 22), 3u);
  EXPECT_EQ(Le32(bytes, 34), 12u);
  EXPECT_EQ(Le32(bytes, 46), 16u);
  // Bottom row first; the one pixel in the high nibble, then zero padding.
  EXPECT_EQ(bytes.substr(118, 4), std::string("\x60\0\0\0", 4));  // row 2: index 6
  EXPECT_EQ(bytes.substr(126, 4), std::string("\x00\0\0\0", 4));  // row 0: index 0
  EXPECT_EQ(static_cast<uint8_t>(bytes[122]), 0x30);              // row 1: index 3
}

TEST_F(BmpFile, TheReaderReturnsWhatTheWriterWrote) {
  for (int bits : {4, 8}) {
    const PalettedPicture picture = Pattern(9, 6, bits);
    Picture24 read;
    ASSERT_TRUE(DecodeBmp(EncodeBmp(picture), read).ok);
    ASSERT_EQ(read.Width(), 9);
    ASSERT_EQ(read.Height(), 6);
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 9; ++x) EXPECT_EQ(read.Pixel(x, y), picture.palette[picture.Index(x, y)]);
    }
  }
}

TEST_F(BmpFile, TheReaderAgreesWithAnotherDecoderOnAnotherEncodersFiles) {
  // A 5 x 3 picture with a different colour in every pixel, written by
  // ImageMagick in several layouts and decoded by both.
  const std::string ppm = Path("in.ppm");
  std::string bytes = "P6\n5 3\n255\n";
  for (int i = 0; i < 15; ++i) bytes += {static_cast<char>(i * 17), static_cast<char>(i), '\x80'};
  ASSERT_TRUE(WriteFileAtomically(ppm, bytes).ok);
  // Reduced layouts are compared with ImageMagick's reading of the same
  // file; true-colour ones with the source (ImageMagick misreads its own
  // 16-bit files), 16 bits within their 5-bit precision.
  struct Layout {
    const char* options;
    bool againstSource;
    int tolerance;
  };
  const Layout layouts[] = {
      {"-type truecolor BMP3:", true, 0},                      // 24 bits
      {"-alpha on BMP:", true, 0},                             // 32 bits, masks, large header
      {"-define bmp:subtype=RGB555 BMP3:", true, 8},           // 16 bits, masks
      {"-colors 7 BMP3:", false, 0},                           // 4 bits, colour table
      {"-type grayscale -depth 1 -colors 2 BMP2:", false, 0},  // 1 bit, 12-byte header
  };
  int n = 0;
  for (const Layout& layout : layouts) {
    const std::string bmp = Path(std::to_string(n++) + ".bmp");
    testing::RunCommand("convert '" + ppm + "' " + layout.options + "'" + bmp + "'");
    Picture24 read;
    const BmpReadResult result = ReadBmpFile(bmp, read);
    ASSERT_TRUE(result.ok) << layout.options << ": " << result.error;
    ASSERT_EQ(read.Width(), 5);
    ASSERT_EQ(read.Height(), 3);
    const auto decoded = ConvertPixels(bmp);
    ASSERT_EQ(decoded.size(), 15u) << layout.options;
    for (const auto& [at, colour] : decoded) {
      const int i = at.first + 5 * at.second;
      const Colour expected = layout.againstSource ? MakeColour(static_cast<uint8_t>(i * 17),
                                                                static_cast<uint8_t>(i), 0x80)
                                                   : colour;
      const Colour got = read.Pixel(at.first, at.second);
      for (int shift : {0, 8, 16}) {
        EXPECT_NEAR((got >> shift) & 0xFF, (expected >> shift) & 0xFF, layout.tolerance)
            << layout.options << " pixel " << i;
      }
    }
  }
}

TEST_F(BmpFile, TheReaderReadsTopDownRows) {
  const PalettedPicture picture = Pattern(4, 3, 8);
  std::string bytes = EncodeBmp(picture);
  const size_t rowsAt = bytes.size() - 12;
  const std::string rows = bytes.substr(rowsAt);
  for (int i = 0; i < 3; ++i) bytes.replace(rowsAt + 4 * i, 4, rows.substr(4 * (2 - i), 4));
  bytes.replace(22, 4, std::string("\xFD\xFF\xFF\xFF", 4));  // height -3
  Picture24 read;
  ASSERT_TRUE(DecodeBmp(bytes, read).ok);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(read.Pixel(x, y), picture.palette[picture.Index(x, y)]);
  }
}

TEST_F(BmpFile, TheReaderRefusesDamagedFiles) {
  const std::string good = EncodeBmp(Pattern(9, 6, 4));
  Picture24 read;
  // Every shortened file is refused without reading past its end.
  for (size_t length = 0; length < good.size(); ++length) {
    EXPECT_FALSE(DecodeBmp(std::string_view(good).substr(0, length), read).ok) << length;
  }
  std::string huge = good;
  huge[19] = 0x10;  // width 4105 x 6: its rows are not there
  EXPECT_FALSE(DecodeBmp(huge, read).ok);
  std::string compressed = good;
  compressed[30] = 2;  // run-length coded
  EXPECT_FALSE(DecodeBmp(compressed, read).ok);
  const BmpReadResult missing = ReadBmpFile(Path("none.bmp"), read);
  EXPECT_FALSE(missing.ok);
  EXPECT_NE(missing.error.find("none.bmp"), std::string::npos);
}

}  // namespace
}  // namespace capter
