// The bitmap adjustment window on one corpus picture, outside a run: its
// controls write the settings and refresh the preview, duplicate palette
// indices are refused, profiles load with their preset, the text window is
// hidden while it shows, and the compact mode.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <fstream>

#include "base/message_table.h"
#include "export/bmp_file.h"
#include "tests/gui/export_run_fixture.h"
#include "tests/support/corpus_units.h"

namespace capter {
namespace {

using testing::OnEveryShow;

class BitmapAdjustmentDialog : public testing::ExportRunTest {
 protected:
  BitmapAdjustmentDialog() {
    unit_ = testing::DecodeCorpusStream(testing::FindCorpusCase(testing::kTitle), 0).front();
  }
  // Shows the window on the picture, runs `steps` inside it, then OK.
  bool Adjust(const std::function<void()>& steps) {
    OnEveryShow answer(adjustment_, [&](int) {
      steps();
      if (adjustment_.isVisible()) Button(adjustment_, "BitBtn1")->click();
    });
    return adjustment_.Adjust(unit_.picture, unit_.area);
  }
  BmpExportSettings& Settings() { return session_.BmpSettings(); }

  testing::DecodedCorpusUnit unit_;
};

TEST_F(BitmapAdjustmentDialog, ShowingLeavesTheSettingsAndControlsWriteThemWithARefresh) {
  const BmpExportSettings before = Settings();
  BmpExportSettings shown;
  int previewedOnShow = 0;
  Rect cropped, uncropped, bottom;
  ASSERT_TRUE(Adjust([&] {
    shown = Settings();
    previewedOnShow = preview_.shown;
    cropped = preview_.lastArea;
    In<QSpinBox>(adjustment_, "SpinEditMinY")->setValue(120);
    EXPECT_EQ(preview_.lastArea.Height(), 120);
    In<QCheckBox>(adjustment_, "CheckBoxAllowBmpCropping")->setChecked(false);
    EXPECT_FALSE(In<QWidget>(adjustment_, "GroupBoxSizeConstraints")->isEnabled());
    uncropped = preview_.lastArea;
    In<QCheckBox>(adjustment_, "CheckBoxAllowPositionChange")->setChecked(true);
    In<QRadioButton>(adjustment_, "RadioButtonBottomTopPos")->setChecked(true);
    bottom = preview_.lastArea;
  }));
  EXPECT_EQ(shown, before) << "loading the controls writes nothing back";
  EXPECT_GE(previewedOnShow, 1);
  EXPECT_EQ(cropped.Height(), 50) << "the default minimum height";
  EXPECT_EQ(uncropped, unit_.area);
  EXPECT_EQ(bottom.y2, 575);
  EXPECT_EQ(Settings().MinY, 120);
  EXPECT_FALSE(Settings().CropEnabled);
  EXPECT_TRUE(Settings().PosEnabled);
  EXPECT_EQ(Settings().PosYMode, 2);
  EXPECT_EQ(preview_.lastArea, adjustment_.RenditionArea());
}

TEST_F(BitmapAdjustmentDialog, DuplicatePaletteIndexIsRefusedAndTheListReturns) {
  Settings().Preset = kPresetFree;
  Settings().PaletteIndex = {0, 1, 2, 3};
  ASSERT_TRUE(Adjust([&] {
    QComboBox* font = Combo("ComboBoxColorIndex1");
    EXPECT_TRUE(font->isEnabled());
    Choose(font, 3);  // the Antialiasing role's index
    EXPECT_EQ(font->currentIndex(), 1);
    Choose(font, 9);
  }));
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(boxes_.asked[0].kind, MessageKind::Warning);
  EXPECT_EQ(boxes_.asked[0].text, Messages().GetMessage(36));
  EXPECT_EQ(Settings().PaletteIndex, (std::array<uint8_t, 4>{0, 9, 2, 3}));
  EXPECT_EQ(preview_.last.palette[9], Settings().Colours[kFontRole]);
}

TEST_F(BitmapAdjustmentDialog, LoadingAPhilipsProfileLocksTheIndicesAtEightBits) {
  {
    std::ofstream profile(Path("philips.ini"), std::ios::binary);
    profile << "[BMP OUT COLOR]\r\nBitPerPixel=4\r\nPresetColorPalIndex=2\r\n"
               "ColorPalIndex_0=7\r\nColorPalIndex_1=8\r\n";
  }
  dialogs_.paths = {std::nullopt, Path("philips.ini")};
  adjustment_.SetProgramDirectory("/programs/capter/");
  QString label;
  ASSERT_TRUE(Adjust([&] {
    Button(adjustment_, "ButtonLoadProfile")->click();  // cancelled: nothing changes
    EXPECT_EQ(Settings().Preset, kPresetIAuthor);
    Button(adjustment_, "ButtonLoadProfile")->click();
    label = In<QLabel>(adjustment_, "LabelCurrentProfile")->text();
    EXPECT_FALSE(Combo("ComboBoxColorIndex0")->isEnabled());
    EXPECT_EQ(Combo("ComboBoxBitPerPixel")->currentText(), "8 bits");
    EXPECT_EQ(preview_.last.BitsPerPixel(), 8);
  }));
  EXPECT_EQ(label, "philips.ini");
  EXPECT_EQ(dialogs_.asked[1].folder, "/programs/capter/");
  EXPECT_EQ(dialogs_.asked[1].title, Messages().GetMessage(45));
  EXPECT_EQ(Settings().BitsPerPixel, 8);
  EXPECT_EQ(Settings().PaletteIndex, (std::array<uint8_t, 4>{0, 1, 2, 3}));
  EXPECT_EQ(session_.Text().OutputFormat(), OutputFormatCode::Philips);
}

TEST_F(BitmapAdjustmentDialog, SavesTheCurrentPictureAndReportsAProfileItCannotWrite) {
  dialogs_.paths = {Path("current.bmp"), Path("missing/folder/p.ini")};
  std::string rendered;
  QString label;
  ASSERT_TRUE(Adjust([&] {
    Button(adjustment_, "ButtonSaveBMP")->click();
    rendered = EncodeBmp(adjustment_.Rendition());
    Button(adjustment_, "ButtonSaveProfile")->click();
    label = In<QLabel>(adjustment_, "LabelCurrentProfile")->text();
  }));
  std::ifstream saved(Path("current.bmp"), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(saved), {}), rendered);
  EXPECT_EQ(dialogs_.asked[0].title, Messages().GetMessage(43));
  EXPECT_EQ(dialogs_.asked[0].defaultExtension, "bmp");
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(boxes_.asked[0].kind, MessageKind::Error);
  EXPECT_NE(boxes_.asked[0].text.find("p.ini"), std::string::npos) << "the error names the file";
  EXPECT_EQ(label, "None") << "no profile was written";
}

TEST_F(BitmapAdjustmentDialog, TextWindowHidesWhileShownAndComesBackAfterSkip) {
  QWidget textWindow;
  textWindow.show();
  adjustment_.SetTextWindow(&textWindow);
  bool hiddenMeanwhile = false;
  OnEveryShow answer(adjustment_, [&](int) {
    hiddenMeanwhile = !textWindow.isVisible();
    Button(adjustment_, "ButtonSkipPict")->click();
  });
  adjustment_.SetAskAgain(true);
  EXPECT_FALSE(adjustment_.Adjust(unit_.picture, unit_.area));
  EXPECT_TRUE(hiddenMeanwhile);
  EXPECT_TRUE(textWindow.isVisible());
  EXPECT_TRUE(adjustment_.Due()) << "a skipped picture leaves the asking on";
}

TEST_F(BitmapAdjustmentDialog, CompactModeShrinksToASquareAndBack) {
  QSize full, compact;
  bool pagesHidden = false;
  QString caption;
  ASSERT_TRUE(Adjust([&] {
    full = adjustment_.size();
    QPushButton* reduce = Button(adjustment_, "ButtonReduceWindow");
    reduce->click();
    compact = adjustment_.size();
    pagesHidden = !In<QTabWidget>(adjustment_, "PageControl1")->isVisible();
    caption = reduce->text();
    reduce->click();
    EXPECT_EQ(adjustment_.size(), full);
    EXPECT_NE(reduce->text(), caption);
  }));
  EXPECT_TRUE(pagesHidden);
  EXPECT_EQ(compact.height(), compact.width() + 2);
  EXPECT_LT(compact.width(), full.width() / 4);
}

TEST_F(BitmapAdjustmentDialog, DraggingAPageWithTheLeftButtonMovesTheWindow) {
  QPoint before, after, afterRight;
  ASSERT_TRUE(Adjust([&] {
    QWidget* page = In<QTabWidget>(adjustment_, "PageControl1")->currentWidget();
    auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
      QMouseEvent event(type, QPointF(at), page->mapToGlobal(QPointF(at)), button, held,
                        Qt::NoModifier);
      QApplication::sendEvent(page, &event);
    };
    before = adjustment_.pos();
    send(QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, {35, 25}, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {35, 25}, Qt::LeftButton, Qt::NoButton);
    after = adjustment_.pos();
    send(QEvent::MouseButtonPress, {5, 5}, Qt::RightButton, Qt::RightButton);
    send(QEvent::MouseMove, {45, 45}, Qt::NoButton, Qt::RightButton);
    afterRight = adjustment_.pos();
  }));
  EXPECT_EQ(after - before, QPoint(30, 20));
  EXPECT_EQ(afterRight, after) << "only the left button drags";
}

}  // namespace
}  // namespace capter
