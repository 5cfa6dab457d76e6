#include "app/preview_composition.h"

#include <gtest/gtest.h>

namespace capter {
namespace {

TEST(PreviewComposition, ZoomScalesFramePictureAndItsOffsetFromTheCorner) {
  const Rect area{100, 400, 299, 449};
  const PreviewLayout full = ComposePreview(1000, true, area, 200, 50);
  EXPECT_EQ(full.frame, (Placement{0, 0, 724, 580}));
  EXPECT_EQ(full.background, (Placement{2, 2, 720, 576}));
  EXPECT_EQ(full.picture, (Placement{102, 402, 200, 50}));
  EXPECT_FALSE(full.stretched);

  const PreviewLayout half = ComposePreview(500, true, area, 200, 50);
  EXPECT_EQ(half.frame, (Placement{0, 0, 364, 292}));
  EXPECT_EQ(half.picture, (Placement{52, 202, 100, 25}));
  EXPECT_TRUE(half.stretched);

  // Without the true position every picture sits in the frame's corner.
  EXPECT_EQ(ComposePreview(500, false, area, 200, 50).picture, (Placement{2, 2, 100, 25}));
}

TEST(PreviewComposition, AutoZoomFitsTheWindowAndNeverReachesZero) {
  EXPECT_EQ(AutoZoom(743, 686), 1000);
  EXPECT_EQ(AutoZoom(743, 398), 500);  // the height limits
  EXPECT_EQ(AutoZoom(23, 2000), 1);
  EXPECT_EQ(AutoZoom(2000, 110), 1);
}

TEST(PreviewComposition, LetterBoxBarsFollowTheModeAndRatio) {
  PreviewSettings settings;
  Picture24 preset = LetterBoxBackground(settings);
  EXPECT_EQ(preset.Pixel(5, 84), settings.BorderColor);
  EXPECT_EQ(preset.Pixel(5, 85), settings.InnerColor);
  EXPECT_EQ(preset.Pixel(719, 576 - 85), settings.BorderColor);
  EXPECT_EQ(preset.Pixel(719, 576 - 86), settings.InnerColor);
  settings.AspectRatioMode = 2;
  EXPECT_EQ(LetterBoxRows(settings), 135);

  settings.BackMode = kBackFree;
  settings.FreeAspectRatio = 288;
  const Picture24 bars = LetterBoxBackground(settings);
  EXPECT_EQ(bars.Pixel(0, 287), settings.BorderColor);
  EXPECT_EQ(bars.Pixel(0, 288), settings.BorderColor);
  settings.FreeAspectRatio = 0;
  EXPECT_EQ(LetterBoxBackground(settings).Pixel(0, 0), settings.InnerColor);
  // A stored height past half the screen is held at half.
  settings.FreeAspectRatio = 60000;
  EXPECT_EQ(LetterBoxRows(settings), 288);
}

TEST(PreviewComposition, FreeRatioTextRoundsHalvesToEvenInShortestForm) {
  EXPECT_EQ(FreeRatioText(30), "1.4:1");
  EXPECT_EQ(FreeRatioText(0), "1.25:1");
  EXPECT_EQ(FreeRatioText(288), "*");
  EXPECT_EQ(FreeRatioText(85), "1.77:1");
  EXPECT_EQ(FreeRatioText(168), "3:1");  // 720 / 240 exactly
  // 720 / 576 x 100 = 125; 720 / 320 = 2.25 exactly; 720 / 288 = 2.5.
  EXPECT_EQ(FreeRatioText(128), "2.25:1");
  EXPECT_EQ(FreeRatioText(144), "2.5:1");
}

}  // namespace
}  // namespace capter
