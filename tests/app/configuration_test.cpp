#include "app/configuration.h"
#include "app/program_settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "export/bmp_profile.h"
#include "tests/export/temp_folder.h"

namespace capter {
namespace {

constexpr const char* kProgram = "/opt/capter/";

class ConfigurationFile : public testing::TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    path_ = Path("Capter.ini");
  }
  Configuration LoadText(const std::string& text) {
    EXPECT_TRUE(WriteFileAtomically(path_, text).ok);
    Configuration c;
    EXPECT_TRUE(LoadConfiguration(path_, kProgram, c).ok);
    return c;
  }
  std::string FileText() {
    std::string text;
    EXPECT_TRUE(ReadWholeFile(path_, text).ok);
    return text;
  }
  std::string path_;
};

TEST_F(ConfigurationFile, WithoutAFileEveryValueIsItsDefault) {
  Configuration c;
  c.preview.Zoom = 3;
  c.shell.LanguageFileName = "Deutsch";
  ASSERT_TRUE(LoadConfiguration(path_, kProgram, c).ok);
  EXPECT_EQ(c, DefaultConfiguration(kProgram));
  EXPECT_EQ(c.shell.OpenDialogCharMatrix, "/opt/capter/ChMatrix");
  EXPECT_EQ(c.shell.OpenDialogVob, "/opt/capter");
  EXPECT_TRUE(c.shell.LanguageFileName.empty());
  EXPECT_TRUE(c.shell.AutoScrollDown);
  EXPECT_EQ(c.preview.Zoom, 1000);
  EXPECT_TRUE(c.preview.AtTruePos);
  EXPECT_EQ(c.preview.BackMode, kBackPreset);
  EXPECT_EQ(c.preview.AspectRatioMode, 0);
  EXPECT_EQ(c.preview.BorderColor, 7171979u);
  EXPECT_EQ(c.preview.InnerColor, 13089467u);
  EXPECT_EQ(c.ocr, OcrSettings{});
  EXPECT_TRUE(c.timingEntries);
  EXPECT_EQ(c.output, OutputFormatSettings{});
}

TEST_F(ConfigurationFile, IntegersReadAsTheProgramWroteThemOrAsHexadecimal) {
  const Configuration c = LoadText(
      "[PREVIEW CFG]\r\nZoom=0x3E8\r\nInnerColor=0xff\r\nFreeAspectRatio=70000\r\n"
      "BorderColor=red\r\n[OCR SETTING]\r\nMinLineHeight=264\r\nDetectItaWidth=-3\r\n");
  EXPECT_EQ(c.preview.Zoom, 1000);
  EXPECT_EQ(c.preview.InnerColor, 0xFFu);
  EXPECT_EQ(c.preview.FreeAspectRatio, 70000 & 0xFFFF);  // 16-bit field
  EXPECT_EQ(c.preview.BorderColor, 7171979u);            // not a number: default
  EXPECT_EQ(c.ocr.MinLineHeight, 8);                     // byte field: low 8 bits
  EXPECT_EQ(c.ocr.DetectItaWidth, -3);
}

TEST_F(ConfigurationFile, BooleansAreWrittenBackAsOneOrZero) {
  Configuration c = LoadText("[CONFIG]\r\nAutoScrollDown=2\r\n[PREVIEW CFG]\r\nAutoZoom=-1\r\n");
  EXPECT_TRUE(c.shell.AutoScrollDown);
  EXPECT_TRUE(c.preview.AutoZoom);
  ASSERT_TRUE(SaveConfiguration(path_, c).ok);
  const std::string text = FileText();
  EXPECT_NE(text.find("\r\nAutoScrollDown=1\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nAutoZoom=1\r\n"), std::string::npos);
}

TEST_F(ConfigurationFile, DirectoriesAreStoredWithoutATrailingSeparator) {
  Configuration c = LoadText("[CONFIG]\r\nOpenDialogVob=/films/dvd/\r\nSaveDialogText=/\r\n");
  EXPECT_EQ(c.shell.OpenDialogVob, "/films/dvd");
  c.shell.SaveDialogBmpSup = "/out//";
  ASSERT_TRUE(SaveConfiguration(path_, c).ok);
  const std::string text = FileText();
  EXPECT_NE(text.find("\r\nOpenDialogVob=/films/dvd\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nSaveDialogBmpSup=/out\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nSaveDialogText=/\r\n"), std::string::npos);  // the root stays
}

TEST_F(ConfigurationFile, ChoicesOutsideTheirListsTakeTheirDefaults) {
  const Configuration c =
      LoadText("[CONFIG]\r\nActionMode=7\r\n[PREVIEW CFG]\r\nBackMode=4\r\nAspectRatioMode=2\r\n");
  EXPECT_EQ(c.shell.ActionMode, 0);
  EXPECT_EQ(c.preview.BackMode, kBackPreset);
  EXPECT_EQ(c.preview.AspectRatioMode, 2);
}

TEST_F(ConfigurationFile, OcrKeysDefaultToTheValuesAlreadyHeld) {
  ASSERT_TRUE(
      WriteFileAtomically(path_, "[OCR SETTING]\r\nSpaceWidth=9\r\nIAndLByContext=0\r\n").ok);
  Configuration c;
  c.ocr.Sensibility = 900;
  ASSERT_TRUE(LoadConfiguration(path_, kProgram, c).ok);
  EXPECT_EQ(c.ocr.SpaceWidth, 9);
  EXPECT_EQ(c.ocr.Sensibility, 900);
  EXPECT_FALSE(c.ocr.IAndLByContext);
  LoadOcrDefaults(c.ocr);
  EXPECT_EQ(c.ocr.Sensibility, 980);
  EXPECT_TRUE(c.ocr.IAndLByContext);
}

// Limits that would make every character unknown or every line vanish are
// kept within their settings dialog's ranges, and each is named.
TEST_F(ConfigurationFile, OcrLimitsOutOfRangeAreClampedOrIgnoredWithANote) {
  ASSERT_TRUE(WriteFileAtomically(path_,
                                  "[OCR SETTING]\r\nSensibility=5000\r\nSpaceWidth=abc\r\n"
                                  "MinLineHeight=-5\r\nMaxLineHeight=30\r\nMinInterLine=0\r\n")
                  .ok);
  Configuration c;
  c.ocr.SpaceWidth = 9;
  std::vector<std::string> notes;
  ASSERT_TRUE(LoadConfiguration(path_, kProgram, c, &notes).ok);
  EXPECT_EQ(c.ocr.Sensibility, 1000);
  EXPECT_EQ(c.ocr.SpaceWidth, 9);
  EXPECT_EQ(c.ocr.MinLineHeight, 45);  // a byte holds 251, then the range
  EXPECT_EQ(c.ocr.MaxLineHeight, 30);
  EXPECT_EQ(c.ocr.MinInterLine, 1);
  EXPECT_EQ(notes, (std::vector<std::string>{
                       "[OCR SETTING] MinLineHeight=-5 is outside 0..45; 45 is used",
                       "[OCR SETTING] MinInterLine=0 is outside 1..50; 1 is used",
                       "[OCR SETTING] SpaceWidth=abc is not a whole number; ignored, 9 is used",
                       "[OCR SETTING] Sensibility=5000 is outside 0..1000; 1000 is used"}));
}

TEST_F(ConfigurationFile, WritingKeepsOtherSectionsAndLeavesOcrSettingsAlone) {
  ASSERT_TRUE(WriteFileAtomically(path_,
                                  "[My Own]\r\nKeep=this\r\n[OCR SETTING]\r\nSpaceWidth=12\r\n"
                                  "[PREVIEW CFG]\r\nZoom=500\r\nExtra=1\r\n")
                  .ok);
  Configuration c = DefaultConfiguration(kProgram);
  c.ocr.SpaceWidth = 3;  // changed but not saved with "Save these Values"
  ASSERT_TRUE(SaveConfiguration(path_, c).ok);
  Configuration reread;
  ASSERT_TRUE(LoadConfiguration(path_, kProgram, reread).ok);
  EXPECT_EQ(reread.ocr.SpaceWidth, 12);
  EXPECT_EQ(reread.preview.Zoom, 1000);
  const IniFile ini(FileText());
  EXPECT_EQ(ini.ReadString("My Own", "Keep", ""), "this");
  EXPECT_EQ(ini.ReadString("Preview Cfg", "Extra", ""), "1");

  ASSERT_TRUE(SaveOcrSettings(path_, c.ocr).ok);
  ASSERT_TRUE(LoadConfiguration(path_, kProgram, reread).ok);
  EXPECT_EQ(reread.ocr.SpaceWidth, 3);
}

TEST_F(ConfigurationFile, ClosingWritesEverySectionButOcrSettingAndReadsBackTheSame) {
  Configuration c = DefaultConfiguration(kProgram);
  c.shell.LanguageFileName =
      "Fran\xE7"
      "ais";
  c.shell.ActionMode = 3;
  c.preview.BackImageName = "/pictures/back ground.jpg";
  c.preview.TransparentBkGrd = true;
  c.timingEntries = false;
  c.output.extended = true;
  c.output.iauthorColours[2] = 0x123456;
  c.output.philipsContrasts[0] = 7;
  c.output.philipsFrameRate = 1;
  BmpExportSettings bmp;
  bmp.MinY = 64;
  ASSERT_TRUE(SaveConfiguration(path_, c).ok);
  ASSERT_TRUE(SaveBmpProfile(path_, bmp).ok);
  const IniFile ini(FileText());
  for (const char* section :
       {"CONFIG", "PREVIEW CFG", "BMP OUT TC & RES", "CAPTER OUTPUT", "IAUTHOR OUTPUT",
        "PHILIPS OUTPUT", "BMP OUT CROPPING", "BMP OUT COLOR", "BMP OUT POSITIONING"}) {
    EXPECT_TRUE(ini.HasSection(section)) << section;
  }
  EXPECT_FALSE(ini.HasSection("OCR SETTING"));
  EXPECT_EQ(ini.ReadString("IAUTHOR OUTPUT", "Color_2", ""), "1193046");
  Configuration reread;
  ASSERT_TRUE(LoadConfiguration(path_, kProgram, reread).ok);
  EXPECT_EQ(reread, c);
  BmpExportSettings rereadBmp;
  ASSERT_TRUE(LoadBmpProfile(path_, rereadBmp).ok);
  EXPECT_EQ(rereadBmp, bmp);
}

TEST_F(ConfigurationFile, WritesReplaceTheFileWholeOrNotAtAll) {
  ASSERT_TRUE(WriteFileAtomically(path_, "[CONFIG]\r\nActionMode=1\r\n").ok);
  // A second name for the old file: a write in place would change it too.
  const std::string oldName = Path("old.ini");
  ASSERT_EQ(::link(path_.c_str(), oldName.c_str()), 0);
  ASSERT_TRUE(SaveConfiguration(path_, DefaultConfiguration(kProgram)).ok);
  std::string old;
  ASSERT_TRUE(ReadWholeFile(oldName, old).ok);
  EXPECT_EQ(old, "[CONFIG]\r\nActionMode=1\r\n");
  EXPECT_NE(FileText().find("ActionMode=0"), std::string::npos);
  // A failed write names the file.
  const FileResult failed =
      SaveConfiguration(Path("missing/Capter.ini"), DefaultConfiguration(kProgram));
  EXPECT_FALSE(failed.ok);
  EXPECT_NE(failed.error.find("Capter.ini"), std::string::npos);
}

TEST_F(ConfigurationFile, AStartWithoutAFileShowsDefaultsAndTheCloseCreatesIt) {
  const std::string program = dir_.string() + "/";
  ProgramSettings settings;
  settings.configuration.ocr.SpaceWidth = 40;
  settings.bmp.MinX = 1;
  ASSERT_TRUE(LoadProgramSettings(program, settings).ok);
  EXPECT_EQ(settings.configuration, DefaultConfiguration(program));
  EXPECT_EQ(settings.bmp, BmpExportSettings{});
  settings.configuration.preview.Zoom = 500;
  ASSERT_TRUE(SaveProgramSettings(program, settings).ok);
  const IniFile ini(FileText());
  EXPECT_EQ(ini.ReadInteger("PREVIEW CFG", "Zoom", 0), 500);
  EXPECT_TRUE(ini.HasSection("BMP OUT POSITIONING"));
  EXPECT_FALSE(ini.HasSection("OCR SETTING"));
}

}  // namespace
}  // namespace capter
