#include "export/export_rendition.h"

#include <gtest/gtest.h>

namespace capter {
namespace {

constexpr Colour kGrey0 = kPaletteGreys[0], kGrey1 = kPaletteGreys[1], kGrey2 = kPaletteGreys[2],
                 kGrey3 = kPaletteGreys[3];

// A decoded picture of the given size, background everywhere except the
// text box's corners (grey 3), so the text's bounding box is `text`.
Picture24 Decoded(int width, int height, const Rect& text) {
  Picture24 picture(width, height);
  picture.Fill(kGrey0);
  picture.SetPixel(text.x1, text.y1, kGrey3);
  picture.SetPixel(text.x2, text.y2, kGrey3);
  return picture;
}

struct Rendered {
  PalettedPicture picture;
  Rect screen;
};

Rendered Render(const Picture24& decoded, const Rect& area, const BmpExportSettings& settings,
                const RoleColours& roles = kPaletteGreys) {
  Rendered r;
  r.screen = RenderForExport(decoded, area, settings, roles, r.picture);
  return r;
}

TEST(ExportCrop, TextIsEnlargedToTheSizeConstraintsAndCentred) {
  // A 300 x 41 text becomes 304 x 50 (next multiple of 8, minimum height),
  // the text at (2, 4), and keeps its place on the screen.
  const Rect area{200, 450, 519, 510};
  const Rendered r = Render(Decoded(320, 61, {10, 10, 309, 50}), area, BmpExportSettings{});
  ASSERT_EQ(r.picture.Width(), 304);
  ASSERT_EQ(r.picture.Height(), 50);
  EXPECT_EQ(r.picture.BitsPerPixel(), 4);
  EXPECT_EQ(r.picture.Index(2, 4), 3);
  EXPECT_EQ(r.picture.Index(301, 44), 3);
  EXPECT_EQ(r.picture.Index(1, 4), 0);
  EXPECT_EQ(r.screen, (Rect{208, 456, 511, 505}));
}

TEST(ExportCrop, APictureAtTheScreenEdgeMovesAroundItsText) {
  // 698 wide from x1 = 20 becomes 704 wide; centred it would end at 720, so
  // it moves to x1 = 16 and the text sits at offset 4.
  const Rendered r =
      Render(Decoded(698, 30, {0, 0, 697, 29}), {20, 500, 717, 529}, BmpExportSettings{});
  ASSERT_EQ(r.picture.Width(), 704);
  EXPECT_EQ(r.screen.x1, 16);
  EXPECT_EQ(r.screen.x2, 719);
  EXPECT_EQ(r.picture.Index(3, 10), 0);
  EXPECT_EQ(r.picture.Index(4, 10), 3);
  // Vertically: 50 high, text at 10, so the picture starts 10 rows higher.
  EXPECT_EQ(r.screen.y1, 490);
  EXPECT_EQ(r.screen.y2, 539);
}

TEST(ExportCrop, ScreenLimitsComeAfterTheMultipleRule) {
  const Rendered wide = Render(Decoded(718, 8, {0, 0, 717, 7}), {1, 0, 718, 7}, [] {
    BmpExportSettings s;
    s.DivX = 32;
    return s;
  }());
  EXPECT_EQ(wide.picture.Width(), 720);
  EXPECT_EQ(wide.screen.x1, 0);
  // Near the top the picture moves down and the text up inside it.
  EXPECT_EQ(wide.screen.y1, 0);
  EXPECT_EQ(wide.picture.Index(1, 0), 3);
}

TEST(ExportCrop, AlignmentAndShiftPlaceTheTextWithinThePicture) {
  BmpExportSettings s;
  s.MinX = 320;  // 20 pixels of room around a 300-pixel text
  const Picture24 decoded = Decoded(300, 50, {0, 0, 299, 49});
  const auto textColumn = [&](uint8_t mode, int32_t shift) {
    s.CropXMode = mode;
    s.CropShiftX = shift;
    const Rendered r = Render(decoded, {200, 100, 499, 149}, s);
    for (int x = 0; x < r.picture.Width(); ++x) {
      if (r.picture.Index(x, 0) != 0) return x;
    }
    return -1;
  };
  EXPECT_EQ(textColumn(0, 0), 0);
  EXPECT_EQ(textColumn(1, 0), 10);
  EXPECT_EQ(textColumn(2, 0), 20);
  EXPECT_EQ(textColumn(1, 5), 5);     // five pixels to the left
  EXPECT_EQ(textColumn(1, 50), 0);    // until it touches the left edge
  EXPECT_EQ(textColumn(1, -50), 20);  // or the right one
  s.CropYMode = 2;
  s.MinY = 60;
  s.CropXMode = 1;
  s.CropShiftX = 0;
  const Rendered bottom = Render(decoded, {200, 100, 499, 149}, s);
  EXPECT_EQ(bottom.picture.Index(10, 10), 3);
  EXPECT_EQ(bottom.screen.y1, 90);
}

TEST(ExportCrop, APictureWithoutTextKeepsItsWholeSize) {
  Picture24 empty(40, 20);
  empty.Fill(kGrey0);
  const Rendered r = Render(empty, {100, 100, 139, 119}, BmpExportSettings{});
  ASSERT_EQ(r.picture.Width(), 40);
  ASSERT_EQ(r.picture.Height(), 50);
  EXPECT_EQ(r.screen, (Rect{100, 85, 139, 134}));
  for (int y = 0; y < 50; ++y) {
    for (int x = 0; x < 40; ++x) ASSERT_EQ(r.picture.Index(x, y), 0);
  }
}

TEST(ExportCrop, DivisorsOfZeroActAsOne) {
  BmpExportSettings s;
  s.MinX = s.MinY = 0;
  s.DivX = s.DivY = 0;
  const Rendered r = Render(Decoded(301, 41, {0, 0, 300, 40}), {0, 0, 300, 40}, s);
  EXPECT_EQ(r.picture.Width(), 301);
  EXPECT_EQ(r.picture.Height(), 41);
}

TEST(ExportCrop, WithoutCroppingThePictureKeepsItsSizeAndArea) {
  BmpExportSettings s;
  s.CropEnabled = false;
  const Rendered r = Render(Decoded(30, 20, {5, 5, 6, 6}), {10, 10, 39, 29}, s);
  EXPECT_EQ(r.picture.Width(), 30);
  EXPECT_EQ(r.picture.Height(), 20);
  EXPECT_EQ(r.screen, (Rect{10, 10, 39, 29}));
}

TEST(ExportPosition, ModesPlaceThePictureOnTheScreen) {
  BmpExportSettings s;
  s.PosEnabled = true;
  const Picture24 decoded = Decoded(300, 41, {0, 0, 299, 40});
  const Rect area{100, 100, 399, 140};
  s.PosYMode = 2;  // bottom
  EXPECT_EQ(Render(decoded, area, s).screen, (Rect{98, 526, 401, 575}));
  s.PosXMode = 1;  // centre, then shifted
  s.PosShiftX = -8;
  EXPECT_EQ(Render(decoded, area, s).screen.x1, 200);
  s.PosXMode = 3;  // set, but kept on the screen
  s.PosX = 700;
  s.PosShiftX = 0;
  EXPECT_EQ(Render(decoded, area, s).screen.x1, 416);
  s.PosXMode = 0;
  s.PosShiftX = -1000;
  s.PosYMode = 0;
  s.PosShiftY = INT32_MIN;
  const Rect kept = Render(decoded, area, s).screen;
  EXPECT_EQ(kept.x1, 0);
  EXPECT_EQ(kept.y1, 0);
}

TEST(ExportColours, RolesMapOntoTheirPaletteIndicesAndOutputColours) {
  BmpExportSettings s;
  ApplyPreset(s, kPresetFree);
  s.BitsPerPixel = 8;
  s.PaletteIndex = {0, 5, 9, 12};
  s.Colours = {0x000001, 0x000002, 0x000003, 0x000004};
  s.UnusedColour = 0x123456;
  s.CropEnabled = false;
  Picture24 decoded(4, 1);
  decoded.SetPixel(0, 0, kGrey0);
  decoded.SetPixel(1, 0, kGrey1);
  decoded.SetPixel(2, 0, kGrey2);
  decoded.SetPixel(3, 0, kGrey3);
  // Code 2 plays Font and code 1 Outline.
  ColourRoles roles;
  roles.SetRoleCode(kFontRole, 2);
  ASSERT_EQ(roles.Order(), (RoleOrder{0, 2, 1, 3}));
  const Rendered r = Render(decoded, {0, 0, 3, 0}, s, roles.Colours());
  ASSERT_EQ(r.picture.BitsPerPixel(), 8);
  EXPECT_EQ(r.picture.Index(0, 0), 0);
  EXPECT_EQ(r.picture.Index(1, 0), 9);  // code 1: Outline
  EXPECT_EQ(r.picture.Index(2, 0), 5);  // code 2: Font
  EXPECT_EQ(r.picture.Index(3, 0), 12);
  EXPECT_EQ(r.picture.palette[5], 0x000002u);
  EXPECT_EQ(r.picture.palette[9], 0x000003u);
  EXPECT_EQ(r.picture.palette[1], 0x123456u);
  EXPECT_EQ(r.picture.palette[15], 0x123456u);
  EXPECT_EQ(r.picture.palette[16], 0u);
  // Roles sharing an index: the later role's colour fills the entry.
  s.PaletteIndex = {0, 1, 1, 3};
  EXPECT_EQ(Render(decoded, {0, 0, 3, 0}, s).picture.palette[1], 0x000003u);
}

TEST(ColourRoles, ChoosingACodeSwapsItWithTheRoleThatHadIt) {
  ColourRoles roles;
  roles.SetRoleCode(kFontRole, 2);  // Outline had 2, takes Font's 1
  EXPECT_EQ(roles.Order(), (RoleOrder{0, 2, 1, 3}));
  EXPECT_EQ(roles.Colours(), (RoleColours{kGrey0, kGrey2, kGrey1, kGrey3}));
  roles.SetRoleCode(kFontRole, 2);  // already its code
  EXPECT_EQ(roles.Order(), (RoleOrder{0, 2, 1, 3}));
  roles.SetRoleCode(kBackgroundRole, 3);
  EXPECT_EQ(roles.Order(), (RoleOrder{3, 2, 1, 0}));
  EXPECT_FALSE(roles.SetOrder({0, 0, 1, 2}));
  EXPECT_EQ(roles.Order(), (RoleOrder{3, 2, 1, 0}));
}

TEST(ColourRoles, AutomaticOrderFollowsTheTextColourDetection) {
  // Background most frequent, then code 2, 3 and 1; code 1 is met first but
  // is not second, so the order stays by count.
  Picture24 decoded(20, 10);
  decoded.Fill(kGrey0);
  decoded.SetPixel(0, 0, kGrey1);
  for (int x = 0; x < 15; ++x) decoded.SetPixel(x, 1, kGrey2), decoded.SetPixel(x, 2, kGrey2);
  for (int x = 0; x < 10; ++x) decoded.SetPixel(x, 3, kGrey3);
  ColourRoles roles;
  roles.AutoOrder(decoded);
  EXPECT_EQ(roles.Order(), (RoleOrder{0, 2, 3, 1}));
  EXPECT_EQ(roles.Colours()[kFontRole], kGrey2);
}

TEST(Presets, SetIndicesAndDepth) {
  BmpExportSettings s;
  ApplyPreset(s, kPresetFree);
  s.PaletteIndex = {4, 5, 6, 7};
  s.BitsPerPixel = 8;
  ApplyPreset(s, kPresetFree);
  EXPECT_EQ(s.PaletteIndex, (std::array<uint8_t, 4>{4, 5, 6, 7}));
  EXPECT_TRUE(PaletteIndexEditable(s.Preset));
  ApplyPreset(s, kPresetIAuthor);
  EXPECT_EQ(s.PaletteIndex, (std::array<uint8_t, 4>{0, 1, 2, 3}));
  EXPECT_EQ(s.BitsPerPixel, 4);
  EXPECT_FALSE(PaletteIndexEditable(s.Preset));
  ApplyPreset(s, kPresetPhilips);
  EXPECT_EQ(s.BitsPerPixel, 8);
  EXPECT_EQ(s.Preset, kPresetPhilips);
}

}  // namespace
}  // namespace capter
