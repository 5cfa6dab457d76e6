#include "export/adjustment_rules.h"

#include <gtest/gtest.h>

namespace capter {
namespace {

TEST(AdjustmentRules, PaletteIndexHeldByAnotherRoleIsRefused) {
  BmpExportSettings s;
  s.PaletteIndex = {0, 1, 2, 3};
  EXPECT_FALSE(ChoosePaletteIndex(s, kFontRole, 3));
  EXPECT_FALSE(ChoosePaletteIndex(s, kAntialiasingRole, 0));
  EXPECT_EQ(s.PaletteIndex, (std::array<uint8_t, 4>{0, 1, 2, 3}));
  EXPECT_TRUE(ChoosePaletteIndex(s, kFontRole, 1)) << "a role may keep its own index";
  EXPECT_TRUE(ChoosePaletteIndex(s, kFontRole, 15));
  EXPECT_TRUE(ChoosePaletteIndex(s, kOutlineRole, 1)) << "the index just given up is free";
  EXPECT_EQ(s.PaletteIndex, (std::array<uint8_t, 4>{0, 15, 1, 3}));
  EXPECT_FALSE(ChoosePaletteIndex(s, 4, 9)) << "no such role";
}

TEST(AdjustmentRules, OnlyTheAuthoringPresetsSwitchTheFormat) {
  EXPECT_EQ(PresetOutputFormat(kPresetIAuthor), OutputFormatCode::IAuthor);
  EXPECT_EQ(PresetOutputFormat(kPresetPhilips), OutputFormatCode::Philips);
  EXPECT_FALSE(PresetOutputFormat(kPresetFree));
  EXPECT_FALSE(PresetOutputFormat(7));
}

TEST(AdjustmentRules, OutlineStripFallsBackToTheFullWidth) {
  EXPECT_EQ(OutlineStripWidth(149, 600), 600);
  EXPECT_EQ(OutlineStripWidth(150, 600), 150);
  EXPECT_EQ(OutlineStripWidth(600, 600), 600);
  EXPECT_EQ(OutlineStripWidth(601, 600), 600);
}

TEST(AdjustmentRules, SinglePictureSavesNameTheCountAndAppendTheirExtension) {
  EXPECT_EQ(SinglePictureSaveTitle(SinglePictureKind::Bmp, 7),
            "Save as BMP Subpicture N\xB0 7 , enter the beginning of File Name");
  EXPECT_EQ(SinglePictureSaveTitle(SinglePictureKind::Sup, 12),
            "Save as SUP Subpicture N\xB0 12 , enter the beginning of File Name");
  EXPECT_EQ(SinglePictureSavePath("/d/pic.bmp", SinglePictureKind::Bmp), "/d/pic.bmp.BMP");
  EXPECT_EQ(SinglePictureSavePath("/d/pic", SinglePictureKind::Sup), "/d/pic.SUP");
}

}  // namespace
}  // namespace capter
