// BMP runs of a corpus title through the bitmap adjustment window: the files
// equal the command-line export with the same profile, a skipped picture is
// not written and the window asks again, the palette presets switch the
// subtitle format, and an independent reader opens the written files.
#include <gtest/gtest.h>

#include <QSpinBox>
#include <fstream>
#include <sstream>

#include "app/radio_group.h"
#include "export/bmp_file.h"
#include "export/export_rendition.h"
#include "tests/export/image_magick.h"
#include "tests/gui/export_run_fixture.h"
#include "tests/support/corpus_units.h"
#include "text/text_window_actions.h"

namespace capter {
namespace {

using testing::ExportRunTest;
using testing::OnEveryShow;

std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

class BitmapAdjustmentRun : public ExportRunTest {
 protected:
  std::vector<testing::DecodedCorpusUnit> Units() {
    return testing::DecodeCorpusStream(testing::FindCorpusCase(testing::kTitle), 0);
  }
};

TEST_F(BitmapAdjustmentRun, FilesEqualTheCommandLineExportWithTheSavedProfile) {
  const auto units = Units();
  ColourRoles proposed;
  proposed.AutoOrder(units.front().picture);
  ASSERT_NE(proposed.Order(), (RoleOrder{0, 1, 2, 3})) << "the title should need a role change";

  std::filesystem::create_directories(dir_ / "gui");
  dialogs_.paths.push_back(Path("profile.ini"));
  RoleOrder shownOrder{};
  OnEveryShow answer(adjustment_, [&](int) {
    for (int role = 0; role < 4; ++role) {
      shownOrder[role] = static_cast<uint8_t>(
          Combo(("ComboBoxDVDColor" + std::to_string(role)).c_str())->currentIndex());
    }
    // The roles by hand in the order the command line keeps, then the
    // profile for it.
    for (int role = 0; role < 4; ++role) {
      Choose(Combo(("ComboBoxDVDColor" + std::to_string(role)).c_str()), role);
    }
    Button(adjustment_, "ButtonSaveProfile")->click();
    Button(adjustment_, "BitBtn1")->click();
  });
  ASSERT_TRUE(Run(Job(RunAction::SaveBmp, Path("gui/sub"))));
  EXPECT_EQ(answer.Count(), 1);
  EXPECT_EQ(shownOrder, proposed.Order()) << "showing proposes the automatic role order";
  EXPECT_EQ(session_.Roles().Order(), (RoleOrder{0, 1, 2, 3}));
  ASSERT_TRUE(std::filesystem::exists(Path("profile.ini")));

  std::filesystem::create_directories(dir_ / "cli");
  const std::string command = std::string(CAPTER_CLI_PATH) + " export --stream 1 --bmp '" +
                              Path("cli/sub") + "' --profile '" + Path("profile.ini") + "' '" +
                              testing::FindCorpusCase(testing::kTitle).vobFiles.front() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  const std::vector<std::string> names = FilesIn(dir_ / "gui");
  ASSERT_EQ(names.size(), units.size());
  EXPECT_EQ(names.front(), "sub000001.bmp");
  EXPECT_EQ(names, FilesIn(dir_ / "cli"));
  for (const std::string& name : names) {
    EXPECT_EQ(FileBytes(dir_ / "gui" / name), FileBytes(dir_ / "cli" / name)) << name;
  }
  const auto identified = testing::IdentifyBmp(Path("gui/sub000001.bmp"));
  EXPECT_EQ(identified.at("Colormap entries"), "16");
}

TEST_F(BitmapAdjustmentRun, SkippingTheFirstPictureWritesNoFileAndAsksAgain) {
  OnEveryShow answer(adjustment_, [&](int showing) {
    Button(adjustment_, showing == 1 ? "ButtonSkipPict" : "BitBtn1")->click();
  });
  ASSERT_TRUE(Run(Job(RunAction::SaveBmp, Path("sub"), /*timing=*/true)));
  EXPECT_EQ(answer.Count(), 2);
  EXPECT_FALSE(adjustment_.AskAgain());
  const std::vector<std::string> names = FilesIn(dir_);
  ASSERT_EQ(names.size(), Units().size() - 1);
  EXPECT_EQ(names.front(), "sub000002.bmp");
  // The skipped picture has no timing entry either.
  ASSERT_EQ(session_.Table().Count(), names.size());
  EXPECT_EQ(session_.Table().At(1).lines[0], "sub000002.bmp");
}

TEST_F(BitmapAdjustmentRun, IAuthorPresetSwitchesTheTextAndSavesTheCoreBytes) {
  session_.BmpSettings().Preset = kPresetFree;
  session_.BmpSettings().BitsPerPixel = 8;
  session_.BmpSettings().PaletteIndex = {5, 6, 7, 8};
  bool locked = false;
  int bitsRow = -1;
  OnEveryShow answer(adjustment_, [&](int) {
    In<RadioGroup>(adjustment_, "RadioGroupPresetPaletteIndex")->SetItemIndex(kPresetIAuthor);
    locked = !Combo("ComboBoxColorIndex0")->isEnabled();
    bitsRow = Combo("ComboBoxBitPerPixel")->currentIndex();
    Button(adjustment_, "BitBtn1")->click();
  });
  std::filesystem::create_directories(dir_ / "gui");
  ASSERT_TRUE(Run(Job(RunAction::SaveBmp, Path("gui/sub"), /*timing=*/true)));
  EXPECT_TRUE(locked);
  EXPECT_EQ(bitsRow, 0) << "4 bits";
  EXPECT_EQ(session_.Text().OutputFormat(), OutputFormatCode::IAuthor);
  EXPECT_EQ(session_.BmpSettings().PaletteIndex, (std::array<uint8_t, 4>{0, 1, 2, 3}));

  // The same run without windows, in the same format from the start.
  testing::ScriptedMessageBoxes boxes;
  testing::StepClock clock;
  RunDisplay display;
  RunSession core(SessionFrontEnd{.boxes = boxes, .clock = clock, .display = display});
  core.BmpSettings() = session_.BmpSettings();
  core.Roles().SetOrder(session_.Roles().Order());
  core.Text().SetClock([] { return std::string("08/12/2026 13:00:00"); });
  ConvertToFormat(core.Text(), core.Text().Options().settings, OutputFormatCode::IAuthor);
  std::filesystem::create_directories(dir_ / "core");
  ASSERT_TRUE(core.Execute(Job(RunAction::SaveBmp, Path("core/sub"), true), kZeroTimeCode));

  const std::string saved = FinalText(session_.Text());
  EXPECT_NE(saved.find("sub000001.bmp"), std::string::npos);
  EXPECT_EQ(saved, FinalText(core.Text()));
  for (const std::string& name : FilesIn(dir_ / "core")) {
    EXPECT_EQ(FileBytes(dir_ / "gui" / name), FileBytes(dir_ / "core" / name)) << name;
  }
}

TEST_F(BitmapAdjustmentRun, PhilipsPresetWritesEightBitFilesInTheChosenColours) {
  constexpr Colour kRed = 0x0000FF;
  dialogs_.colours.push_back(kRed);
  OnEveryShow answer(adjustment_, [&](int) {
    In<RadioGroup>(adjustment_, "RadioGroupPresetPaletteIndex")->SetItemIndex(kPresetPhilips);
    ClickSwatch(In<QWidget>(adjustment_, "PanelColor1"));
    Button(adjustment_, "BitBtn1")->click();
  });
  ASSERT_TRUE(Run(Job(RunAction::SaveBmp, Path("sub"))));
  EXPECT_EQ(session_.Text().OutputFormat(), OutputFormatCode::Philips);
  EXPECT_EQ(session_.BmpSettings().Colours[kFontRole], kRed);

  const auto units = Units();
  PalettedPicture expected;
  RenderForExport(units.front().picture, units.front().area, session_.BmpSettings(),
                  session_.Roles().Colours(), expected);
  const std::string path = Path("sub000001.bmp");
  const auto identified = testing::IdentifyBmp(path);
  EXPECT_EQ(identified.at("Geometry"),
            std::to_string(expected.Width()) + "x" + std::to_string(expected.Height()) + "+0+0");
  EXPECT_EQ(identified.at("Colormap entries"), "256");
  EXPECT_EQ(identified.at("Type"), "Palette");

  int fontPixels = 0;
  for (int y = 0; y < expected.Height(); ++y) {
    for (int x = 0; x < expected.Width(); ++x) {
      fontPixels += expected.Index(x, y) == session_.BmpSettings().PaletteIndex[kFontRole];
    }
  }
  int redPixels = 0;
  for (const auto& [where, colour] : testing::ConvertPixels(path)) redPixels += colour == kRed;
  EXPECT_GT(fontPixels, 0);
  EXPECT_EQ(redPixels, fontPixels);
}

TEST_F(BitmapAdjustmentRun, SupRunWritesTheUnitsWithTimingEntriesAndNeverAsks) {
  OnEveryShow answer(adjustment_, [&](int) { Button(adjustment_, "BitBtn1")->click(); });
  ASSERT_TRUE(Run(Job(RunAction::SaveSup, Path("sub"), /*timing=*/true)));
  EXPECT_EQ(answer.Count(), 0);
  const auto units = Units();
  ASSERT_EQ(FilesIn(dir_).size(), units.size());
  ASSERT_EQ(session_.Table().Count(), units.size());
  for (uint16_t n = 1; n <= units.size(); ++n) {
    const auto& unit = units[n - 1];
    char name[32];
    std::snprintf(name, sizeof name, "sub%06u.sup", n);
    EXPECT_EQ(FileBytes(dir_ / name), std::string(unit.bytes.begin(), unit.bytes.end())) << name;
    EXPECT_EQ(session_.Table().At(n).lines[0], name);
    EXPECT_EQ(session_.Table().At(n).area, unit.area);
    EXPECT_EQ(session_.Table().At(n).start, unit.start);
  }
}

}  // namespace
}  // namespace capter
