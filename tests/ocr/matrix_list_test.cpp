// The rules behind the matrix editor and the recognition settings dialog.
#include "ocr/matrix_list.h"

#include <gtest/gtest.h>

#include "ocr/ocr_settings_fields.h"
#include "ocr/preview_fit.h"
#include "tests/support/scripted_message_boxes.h"

namespace capter {
namespace {

CharacterMatrix WithTexts(const std::vector<std::string>& texts) {
  CharacterMatrix matrix;
  testing::ScriptedMessageBoxes boxes;
  for (const std::string& text : texts) {
    MatrixEntry entry;
    entry.glyph.Width = entry.glyph.Height = 1;
    entry.text = text;
    matrix.Add(entry, boxes);
  }
  return matrix;
}

TEST(MatrixList, AlphabeticalOrderIgnoresCaseAndKeepsEqualTextsByNumber) {
  const CharacterMatrix m = WithTexts({"b", "A", "a", "", "a"});
  EXPECT_EQ(MatrixListOrder(m, MatrixOrder::Index), (std::vector<size_t>{1, 2, 3, 4, 5}));
  // Lines compare whole: the quote closes the empty text first, and the
  // numbers decide between equal texts.
  EXPECT_EQ(MatrixListOrder(m, MatrixOrder::Alphabetical), (std::vector<size_t>{4, 2, 3, 5, 1}));
}

TEST(MatrixList, FirstLetterFindsTheFirstTextInListOrder) {
  const CharacterMatrix m = WithTexts({"x", "", "Yes", "yo"});
  const std::vector<size_t> order{4, 3, 2, 1};
  EXPECT_EQ(FirstLineStartingWith(m, order, 'y'), 0u);
  EXPECT_EQ(FirstLineStartingWith(m, order, 'X'), 3u);
  EXPECT_EQ(FirstLineStartingWith(m, order, 'q'), std::nullopt);
  EXPECT_EQ(FirstLineStartingWith(m, order, '"'), std::nullopt);  // not the line's quote
}

TEST(MatrixList, GlyphTwiceIsWhiteOnBlackPixelForPixel) {
  Glyph g;
  g.Width = 45;
  g.Height = 45;
  g.SetPixel(44, 44, true);
  g.SetPixel(0, 1, true);
  Picture24 out;
  DrawGlyphTwice(g, out);
  ASSERT_EQ(out.Width(), 90);
  ASSERT_EQ(out.Height(), 90);
  const Colour white = MakeColour(255, 255, 255);
  EXPECT_EQ(out.Pixel(89, 89), white);
  EXPECT_EQ(out.Pixel(88, 88), white);
  EXPECT_EQ(out.Pixel(1, 3), white);
  EXPECT_EQ(out.Pixel(1, 1), MakeColour(0, 0, 0));
  EXPECT_EQ(out.Pixel(87, 89), MakeColour(0, 0, 0));
}

TEST(OcrSettingsFields, EveryFieldReadsAndStoresItsOwnSettingNarrowed) {
  for (const OcrFieldInfo& info : kOcrFields) {
    OcrSettings s;
    StoreOcrField(s, info.field, info.max);
    EXPECT_EQ(OcrFieldValue(s, info.field), info.max) << info.name;
    OcrSettings others = s;
    StoreOcrField(others, info.field, OcrFieldValue(OcrSettings{}, info.field));
    EXPECT_EQ(others, OcrSettings{}) << info.name << " touched another setting";
  }
  OcrSettings s;
  StoreOcrField(s, OcrField::MinLineHeight, 300);  // an 8-bit setting
  EXPECT_EQ(s.MinLineHeight, 44);
  StoreOcrField(s, OcrField::SpaceWidth, -10);
  EXPECT_EQ(s.SpaceWidth, -10);
}

TEST(PreviewFit, TheWindowGrowsToThePictureAndNeverShrinks) {
  EXPECT_EQ(WindowSizeForPreview({400, 300}, 720, 100), (WindowSize{743, 300}));
  EXPECT_EQ(WindowSizeForPreview({400, 100}, 200, 100), (WindowSize{400, 210}));
  EXPECT_EQ(WindowSizeForPreview({900, 700}, 720, 576), (WindowSize{900, 700}));
}

}  // namespace
}  // namespace capter
