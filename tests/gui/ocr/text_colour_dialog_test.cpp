// The text colour dialog on real corpus pictures: the detection's proposal
// is selected and previewed, the person's selection is the answer, the main
// window grows to fit the picture, the text window is hidden while asking.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ocr/text_colour_dialog.h"
#include "tests/gui/ocr/teaching_run.h"
#include "tests/ocr/ocr_test_support.h"
#include "tests/support/corpus_units.h"

namespace capter::testing {
namespace {

// Runs `react` once the dialog is on screen.
void WhenShown(TForm9& dialog, std::function<void()> react) {
  QTimer::singleShot(0, &dialog, [react = std::move(react)] { react(); });
}

void Click(TForm9& dialog, const char* name) {
  QTest::mouseClick(dialog.findChild<QPushButton*>(name), Qt::LeftButton);
}

struct Windows {
  QWidget main;
  QWidget text;
  Windows() {
    main.resize(100, 100);
    text.show();
  }
};

TEST(TextColourDialog, ProposesPreviewsAndAnswersThePersonsSelection) {
  const CorpusCase c = FindCorpusCase("p02_pal_image_latin1");
  const int fill = c.streams[0].pixelCodes[1];
  const std::vector<DecodedCorpusUnit> units = DecodeCorpusStream(c, 0);
  ASSERT_FALSE(units.empty());
  const Picture24& picture = units[0].picture;

  Windows windows;
  TForm9 dialog;
  dialog.SetMainWindow(&windows.main);
  dialog.SetTextWindow(&windows.text);
  std::vector<Picture24> shown;
  dialog.SetPreview([&shown](const Picture24& p) { shown.push_back(p); });

  TextColourState state;
  int proposed = -1;
  bool textHidden = false;
  WhenShown(dialog, [&] {
    proposed = dialog.SelectedIndex();
    textHidden = !windows.text.isVisible();
    dialog.findChild<QComboBox*>("ComboBoxColor")->setCurrentIndex(fill);
    Click(dialog, "ButtonOK");
  });
  const std::optional<uint8_t> answer = dialog.ChooseTextColour(picture, state);

  ASSERT_TRUE(answer.has_value());
  EXPECT_EQ(*answer, fill);
  EXPECT_EQ(proposed, DetectTextColour(picture, kPaletteGreys)[1]);
  EXPECT_EQ(state.TextColour, kPaletteGreys[fill]);
  EXPECT_TRUE(textHidden);
  EXPECT_TRUE(windows.text.isVisible());
  EXPECT_EQ(windows.main.width(), std::max(100, picture.Width() + 23));
  EXPECT_EQ(windows.main.height(), std::max(100, picture.Height() + 110));

  // The last preview: the fill pixels white, everything else black.
  ASSERT_GE(shown.size(), 2u);
  const Picture24& preview = shown.back();
  ASSERT_EQ(preview.Width(), picture.Width());
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      const bool text = picture.Pixel(x, y) == kPaletteGreys[fill];
      ASSERT_EQ(preview.Pixel(x, y), text ? MakeColour(255, 255, 255) : MakeColour(0, 0, 0));
    }
  }
}

TEST(TextColourDialog, AutoDetectGoesBackToTheProposal) {
  const CorpusCase c = FindCorpusCase("p04_pal_five_streams");
  const std::vector<DecodedCorpusUnit> units = DecodeCorpusStream(c, 0);
  TForm9 dialog;
  TextColourState state;
  int afterDetect = -1;
  WhenShown(dialog, [&] {
    const int proposal = dialog.SelectedIndex();
    dialog.findChild<QComboBox*>("ComboBoxColor")->setCurrentIndex((proposal + 1) % 4);
    Click(dialog, "ButtonAutoDetect");
    afterDetect = dialog.SelectedIndex();
    EXPECT_EQ(afterDetect, proposal);
    Click(dialog, "ButtonOK");
  });
  EXPECT_EQ(dialog.ChooseTextColour(units[0].picture, state), afterDetect);
}

TEST(TextColourDialog, SkippingEveryPictureGivesNoSubtitlesAndAsksEachTime) {
  const CorpusCase c = FindCorpusCase("p04_pal_five_streams");
  TeachingRun run(c, 0);
  TForm9 dialog;
  QWidget textWindow;
  textWindow.show();
  dialog.SetTextWindow(&textWindow);
  int asked = 0;
  struct ShowFilter : QObject {
    std::function<void()> onShow;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Show) QTimer::singleShot(0, onShow);
      return false;
    }
  } skipper;
  skipper.onShow = [&] {
    ++asked;
    Click(dialog, "ButtonSkipPicture");
  };
  dialog.installEventFilter(&skipper);
  run.SetChooser(dialog);
  ASSERT_TRUE(run.Execute());
  EXPECT_EQ(run.Session().Table().Count(), 0);
  EXPECT_TRUE(run.questions.empty());
  EXPECT_EQ(asked, static_cast<int>(ReadExpectedSubtitles(c.streams[0].exactFile).size()));
  EXPECT_TRUE(textWindow.isVisible());  // given back after every skip
}

}  // namespace
}  // namespace capter::testing

namespace capter::testing {
namespace {

TEST(TextColourDialog, WithWholeGlyphsTheUserTicksTheExtraTextGreys) {
  const Picture24 picture = OutlineHeavyPicture();
  TForm9 dialog;
  std::vector<Picture24> shown;
  dialog.SetPreview([&shown](const Picture24& p) { shown.push_back(p); });
  TextColourState state;
  state.LayeredDetection = true;
  state.ProposeExtraIndices = true;
  WhenShown(dialog, [&] {
    EXPECT_TRUE(dialog.findChild<QGroupBox*>("GroupBoxExtraColors")->isVisible());
    auto* body = dialog.findChild<QCheckBox*>("CheckBoxExtraColor3");
    EXPECT_FALSE(body->isEnabled());  // the selected body
    EXPECT_TRUE(dialog.findChild<QCheckBox*>("CheckBoxExtraColor2")->isChecked());  // proposed
    dialog.findChild<QCheckBox*>("CheckBoxExtraColor1")->click();
    Click(dialog, "ButtonOK");
  });
  // Detected by layers, as recognition asked: counts would propose another.
  EXPECT_NE(DetectTextColour(picture, kPaletteGreys)[1], 3);
  EXPECT_EQ(dialog.ChooseTextColour(picture, state), 3);
  EXPECT_EQ(state.ExtraTextIndices, (1u << 1) | (1u << 2));
  // The outline (now ticked) shows light grey, the fill white.
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.back().Pixel(1, 1), MakeColour(170, 170, 170));
  EXPECT_EQ(shown.back().Pixel(4, 4), MakeColour(255, 255, 255));
  EXPECT_EQ(shown.back().Pixel(0, 0), MakeColour(0, 0, 0));
}

TEST(TextColourDialog, WithoutWholeGlyphsNoExtraGreyIsOfferedOrTaken) {
  const Picture24 picture = OutlineHeavyPicture();
  TForm9 dialog;
  TextColourState state;
  bool offered = true;
  WhenShown(dialog, [&] {
    offered = dialog.findChild<QGroupBox*>("GroupBoxExtraColors")->isVisible();
    Click(dialog, "ButtonOK");
  });
  dialog.ChooseTextColour(picture, state);
  EXPECT_FALSE(offered);
  EXPECT_EQ(state.ExtraTextIndices, 0u);
}

}  // namespace
}  // namespace capter::testing
