// Show-only runs of a corpus title held by the progression controller: a
// stop after every picture until "No Stop", the stop coming back with the
// next run, the single-picture saves and their names, "Change Colors", and
// Pause.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "export/bmp_file.h"
#include "export/export_rendition.h"
#include "tests/gui/export_run_fixture.h"
#include "tests/support/corpus_units.h"

namespace capter {
namespace {

using testing::ExportRunTest;
using testing::OnEveryShow;

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

class ProgressionControllerRun : public ExportRunTest {
 protected:
  // The adjustment window is confirmed at once whenever it shows.
  OnEveryShow confirm_{adjustment_, [this](int) { Button(adjustment_, "BitBtn1")->click(); }};
};

TEST_F(ProgressionControllerRun, StopsAfterEachPictureUntilNoStopAndAgainInTheNextRun) {
  int previewedBeforeHold = 0;
  OnEveryShow hold(progression_, [&](int showing) {
    previewedBeforeHold = preview_.shown;
    Button(progression_, showing == 3 || showing == 4 ? "ButtonNoStop" : "ButtonNext")->click();
  });
  ASSERT_TRUE(Run(Job(RunAction::ShowOnly)));
  EXPECT_EQ(hold.Count(), 3);
  EXPECT_EQ(confirm_.Count(), 1) << "OK ends the asking for the run";
  EXPECT_GE(previewedBeforeHold, 3) << "each picture is previewed before the stop";
  EXPECT_GT(session_.Run().Reader().UnitsInRun(), 3u);
  EXPECT_TRUE(progression_.NoStop());

  ASSERT_TRUE(Run(Job(RunAction::ShowOnly)));
  EXPECT_EQ(hold.Count(), 4) << "a new run stops again";
}

TEST_F(ProgressionControllerRun, SinglePictureSavesAppendTheirExtensionsAndKeepTheWindowOpen) {
  dialogs_.paths = {Path("pic.bmp"), Path("pic"), std::nullopt};
  bool stillOpen = false;
  OnEveryShow hold(progression_, [&](int) {
    Button(progression_, "ButtonSaveAsBmp")->click();
    Button(progression_, "ButtonSaveAsSup")->click();
    Button(progression_, "ButtonSaveAsBmp")->click();  // cancelled
    stillOpen = progression_.isVisible();
    Button(progression_, "ButtonNoStop")->click();
  });
  ASSERT_TRUE(Run(Job(RunAction::ShowOnly)));
  EXPECT_TRUE(stillOpen);
  ASSERT_EQ(dialogs_.asked.size(), 3u);
  EXPECT_EQ(dialogs_.asked[0].title,
            "Save as BMP Subpicture N\xB0 1 , enter the beginning of File Name");
  EXPECT_EQ(dialogs_.asked[1].title.substr(0, 26), "Save as SUP Subpicture N\xB0 ");
  EXPECT_EQ(dialogs_.asked[1].folder, dir_.string()) << "the chosen folder is kept";
  EXPECT_EQ(FilesIn(dir_), (std::vector<std::string>{"pic.SUP", "pic.bmp.BMP"}));

  const auto units = testing::DecodeCorpusStream(testing::FindCorpusCase(testing::kTitle), 0);
  PalettedPicture expected;
  RenderForExport(units.front().picture, units.front().area, session_.BmpSettings(),
                  session_.Roles().Colours(), expected);
  EXPECT_EQ(FileBytes(Path("pic.bmp.BMP")), EncodeBmp(expected));
  const std::string unitBytes(units.front().bytes.begin(), units.front().bytes.end());
  EXPECT_EQ(FileBytes(Path("pic.SUP")), unitBytes);
}

TEST_F(ProgressionControllerRun, ChangeColorsRendersAgainAndTheNextPicturesFollow) {
  constexpr Colour kGreen = 0x00FF00;
  dialogs_.colours.push_back(kGreen);
  dialogs_.paths.push_back(Path("pic"));
  OnEveryShow hold(progression_, [&](int showing) {
    if (showing == 1) {
      confirm_.SetAction([this](int) {
        ClickSwatch(In<QWidget>(adjustment_, "PanelColor0"));
        Button(adjustment_, "BitBtn1")->click();
      });
      Button(progression_, "ButtonChangeColor")->click();
      Button(progression_, "ButtonSaveAsBmp")->click();
    }
    Button(progression_, showing == 2 ? "ButtonNoStop" : "ButtonNext")->click();
  });
  ASSERT_TRUE(Run(Job(RunAction::ShowOnly)));
  EXPECT_EQ(session_.BmpSettings().Colours[kBackgroundRole], kGreen);
  Picture24 saved;
  ASSERT_TRUE(ReadBmpFile(Path("pic.BMP"), saved).ok);
  EXPECT_EQ(saved.Pixel(0, 0), kGreen) << "the save writes the picture as changed";
  EXPECT_EQ(preview_.last.palette[session_.BmpSettings().PaletteIndex[kBackgroundRole]], kGreen);
}

TEST_F(ProgressionControllerRun, PauseStopsTheRunAndClearsNoStop) {
  OnEveryShow hold(progression_, [&](int) { Button(progression_, "ButtonPause")->click(); });
  EXPECT_FALSE(Run(Job(RunAction::ShowOnly))) << "the run stops paused";
  EXPECT_EQ(session_.Run().State(), RunState::Paused);
  EXPECT_FALSE(progression_.isVisible());
  const int held = hold.Count();
  session_.Run().PauseClick();
  session_.Run().RunToEnd();
  EXPECT_GT(hold.Count(), held) << "Continue goes on with the next picture, stopping again";
}

}  // namespace
}  // namespace capter
