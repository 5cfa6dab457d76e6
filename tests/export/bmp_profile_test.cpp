#include "export/bmp_profile.h"

#include <gtest/gtest.h>

#include "tests/export/temp_folder.h"

namespace capter {
namespace {

class BmpProfile : public testing::TempFolderTest {
 protected:
  BmpExportSettings Read(const std::string& text) {
    BmpExportSettings s;
    s.MinX = 999;  // every key missing from `text` must come back as its default
    ReadBmpProfile(IniFile(text), s);
    return s;
  }
};

BmpExportSettings Unusual() {
  BmpExportSettings s;
  s.CropEnabled = false;
  s.MinX = 720;
  s.MinY = 0;
  s.DivX = 32;
  s.DivY = 1;
  s.CropXMode = 2;
  s.CropYMode = 0;
  s.CropShiftX = -720;
  s.CropShiftY = 576;
  s.BitsPerPixel = 8;
  s.Colours = {0x010203, 0xFFFFFF, 0, 0xABCDEF};
  s.Preset = kPresetFree;
  s.PaletteIndex = {15, 0, 7, 8};
  s.UnusedColour = 0x00FF00;
  s.PosEnabled = true;
  s.PosXMode = 3;
  s.PosX = 719;
  s.PosShiftX = -5;
  s.PosYMode = 1;
  s.PosY = 575;
  s.PosShiftY = 576;
  return s;
}

TEST_F(BmpProfile, AMissingFileOrKeyGivesTheDefaults) {
  BmpExportSettings s = Unusual();
  ASSERT_TRUE(LoadBmpProfile(Path("none.ini"), s).ok);
  EXPECT_EQ(s, BmpExportSettings{});
  EXPECT_EQ(Read("[BMP OUT CROPPING]\r\nMinY=64\r\n").MinY, 64);
  EXPECT_EQ(Read("[BMP OUT CROPPING]\r\nMinY=64\r\n").MinX, 16);
}

TEST_F(BmpProfile, SavedSettingsLoadBackUnchanged) {
  const std::string path = Path("profile.ini");
  ASSERT_TRUE(SaveBmpProfile(path, Unusual()).ok);
  BmpExportSettings s;
  ASSERT_TRUE(LoadBmpProfile(path, s).ok);
  EXPECT_EQ(s, Unusual());
}

TEST_F(BmpProfile, KeysAreWrittenInTheirOrderAsDecimals) {
  IniFile ini;
  WriteBmpProfile(ini, BmpExportSettings{});
  EXPECT_EQ(ini.Serialise(),
            "[BMP OUT CROPPING]\r\nEnabled=1\r\nMinX=16\r\nMinY=50\r\nDivX=8\r\nDivY=2\r\n"
            "XPosMode=1\r\nYPosMode=1\r\nPosShift.X=0\r\nPosShift.Y=0\r\n\r\n"
            "[BMP OUT COLOR]\r\nBitPerPixel=4\r\nColor_0=0\r\nColor_1=16777215\r\n"
            "Color_2=16711680\r\nColor_3=8421504\r\nPresetColorPalIndex=1\r\n"
            "ColorPalIndex_0=0\r\nColorPalIndex_1=1\r\nColorPalIndex_2=2\r\nColorPalIndex_3=3\r\n"
            "UnusedColor=0\r\n\r\n"
            "[BMP OUT POSITIONING]\r\nEnabled=0\r\nXPosMode=0\r\nSetTo.X=0\r\nPosShift.X=0\r\n"
            "YPosMode=0\r\nSetTo.Y=0\r\nPosShift.Y=0\r\n");
}

TEST_F(BmpProfile, OnlyEightReadsAsEightBitsPerPixel) {
  EXPECT_EQ(Read("[BMP OUT COLOR]\r\nBitPerPixel=8\r\n").BitsPerPixel, 8);
  EXPECT_EQ(Read("[BMP OUT COLOR]\r\nBitPerPixel=0x8\r\n").BitsPerPixel, 8);
  EXPECT_EQ(Read("[BMP OUT COLOR]\r\nBitPerPixel=24\r\n").BitsPerPixel, 4);
  // 264 would be 8 in a byte, but it is not 8.
  EXPECT_EQ(Read("[BMP OUT COLOR]\r\nBitPerPixel=264\r\n").BitsPerPixel, 4);
  EXPECT_EQ(Read("[BMP OUT COLOR]\r\nBitPerPixel=x\r\n").BitsPerPixel, 4);
}

TEST_F(BmpProfile, ValuesAreUsedAsReadWithinTheirFieldWidths) {
  const BmpExportSettings s = Read(
      "[bmp out cropping]\r\ndivx=0\r\nMinX=65537\r\nXPosMode=258\r\n"
      "[BMP OUT COLOR]\r\nColor_1=0xFF\r\nColorPalIndex_2=40\r\n");
  EXPECT_EQ(s.DivX, 0);
  EXPECT_EQ(s.MinX, 1);
  EXPECT_EQ(s.CropXMode, 2);
  EXPECT_EQ(s.Colours[1], 0xFFu);
  EXPECT_EQ(s.PaletteIndex[2], 40);
}

TEST_F(BmpProfile, SavingIntoAnExistingFileKeepsItsOtherSections) {
  const std::string path = Path("Capter.ini");
  ASSERT_TRUE(WriteFileAtomically(path,
                                  "[CONFIG]\r\nActionMode=2\r\n[BMP OUT COLOR]\r\nMine=yes\r\n"
                                  "BitPerPixel=8\r\n")
                  .ok);
  ASSERT_TRUE(SaveBmpProfile(path, BmpExportSettings{}).ok);
  IniFile ini;
  ASSERT_TRUE(IniFile::Load(path, ini).ok);
  EXPECT_EQ(ini.ReadInteger("CONFIG", "ActionMode", 0), 2);
  EXPECT_EQ(ini.ReadString("BMP OUT COLOR", "Mine", ""), "yes");
  EXPECT_EQ(ini.ReadInteger("BMP OUT COLOR", "BitPerPixel", 0), 4);
  EXPECT_FALSE(SaveBmpProfile(Path("no/folder/p.ini"), BmpExportSettings{}).ok);
}

}  // namespace
}  // namespace capter
