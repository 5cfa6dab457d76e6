// Every corpus title read with the reader and decoder: unit counts, times to
// the millisecond, and pictures pixel for pixel against their sources.
#include <gtest/gtest.h>

#include "stream/palette_greys.h"
#include "tests/support/corpus.h"
#include "tests/support/corpus_units.h"
#include "tests/support/png_image.h"

namespace capter::testing {
namespace {

std::string StreamLabel(const CorpusCase& c, const CorpusStream& s) {
  return c.name + " stream " + std::to_string(s.index);
}

TEST(CorpusStream, UnitCountsAndTimesMatchTheExactFiles) {
  const std::vector<CorpusCase> cases = CorpusCases();
  ASSERT_EQ(cases.size(), 7u);
  for (const CorpusCase& c : cases) {
    for (const CorpusStream& s : c.streams) {
      SCOPED_TRACE(StreamLabel(c, s));
      const std::vector<ExpectedSubtitle> expected = ReadExpectedSubtitles(s.exactFile);
      const std::vector<DecodedCorpusUnit> units = DecodeCorpusStream(c, s.index);
      ASSERT_EQ(units.size(), expected.size());
      for (size_t i = 0; i < units.size(); ++i) {
        SCOPED_TRACE("subtitle " + std::to_string(i + 1));
        EXPECT_EQ(ToText(units[i].start), ToText(expected[i].start));
        EXPECT_EQ(ToText(units[i].stop), ToText(expected[i].stop));
        EXPECT_TRUE(units[i].worth);
      }
    }
  }
}

// Compares a decoded picture with its source picture placed where spumux
// put it; pixels outside the source are background.
void ExpectPictureMatches(const DecodedCorpusUnit& unit, const CorpusImage& image,
                          const std::array<int, 4>& codes) {
  PalettedPng png;
  ASSERT_TRUE(ReadPalettedPng(image.path, png)) << image.path;
  ASSERT_EQ(unit.picture.Width(), unit.area.Width());
  ASSERT_EQ(unit.picture.Height(), unit.area.Height());
  const int dx = image.x - unit.area.x1, dy = image.y - unit.area.y1;
  int mismatches = 0;
  for (int y = 0; y < unit.picture.Height(); ++y) {
    for (int x = 0; x < unit.picture.Width(); ++x) {
      const int sx = x - dx, sy = y - dy;
      const bool inside = sx >= 0 && sy >= 0 && sx < png.width && sy < png.height;
      const int code = codes[inside ? png.Index(sx, sy) : 0];
      ASSERT_GE(code, 0) << "palette index without a code at " << sx << "," << sy;
      if (unit.picture.Pixel(x, y) != kPaletteGreys[static_cast<size_t>(code)]) ++mismatches;
    }
  }
  EXPECT_EQ(mismatches, 0) << image.path;
}

TEST(CorpusStream, DecodedPicturesEqualTheSourcePictures) {
  int compared = 0;
  for (const CorpusCase& c : CorpusCases()) {
    for (const CorpusStream& s : c.streams) {
      if (s.mode != "image") continue;
      SCOPED_TRACE(StreamLabel(c, s));
      const std::vector<DecodedCorpusUnit> units = DecodeCorpusStream(c, s.index);
      ASSERT_EQ(units.size(), s.images.size());
      for (size_t i = 0; i < units.size(); ++i) {
        ExpectPictureMatches(units[i], s.images[i], s.pixelCodes);
        ++compared;
      }
    }
  }
  EXPECT_EQ(compared, 16 + 7 * 3 + 18 + 10 + 48);
}

}  // namespace
}  // namespace capter::testing
