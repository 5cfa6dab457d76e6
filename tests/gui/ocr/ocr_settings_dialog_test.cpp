// "OCR Advanced Setup" on live settings: fields and hints, the track bar
// following the Sensibility field, OK, Cancel, Reload Default Values and
// Save these Values with what comes back at the next start.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCheckBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "app/configuration.h"
#include "app/numeric_edit.h"
#include "app/qt_message_boxes.h"
#include "ocr/ocr_settings_dialog.h"
#include "ocr/ocr_settings_fields.h"
#include "tests/support/scripted_message_boxes.h"

namespace capter::testing {
namespace {

namespace fs = std::filesystem;

class OcrSettingsDialogTest : public ::testing::Test {
 protected:
  OcrSettingsDialogTest() {
    fs::create_directories(folder);
    SetWindowBoxes(&boxes);
  }
  ~OcrSettingsDialogTest() override {
    SetWindowBoxes(nullptr);
    fs::remove_all(folder);
  }

  NumericEdit* Field(TForm4& d, const char* name) { return d.findChild<NumericEdit*>(name); }
  void Type(TForm4& d, const char* name, const QString& text) {
    NumericEdit* field = Field(d, name);
    field->selectAll();
    QTest::keyClicks(field, text);
  }
  void Click(TForm4& d, const char* name) {
    QTest::mouseClick(d.findChild<QPushButton*>(name), Qt::LeftButton);
  }
  // Opens the dialog modally and lets `act` work in it.
  void Open(TForm4& d, std::function<void()> act) {
    QTimer::singleShot(0, &d, std::move(act));
    d.exec();
  }
  // What the next start reads: the defaults, then the file.
  OcrSettings NextStart() {
    Configuration c = DefaultConfiguration("");
    EXPECT_TRUE(LoadConfiguration(path, "", c).ok);
    return c.ocr;
  }

  fs::path folder = fs::temp_directory_path() / ("capter_ocr_setup_" + std::to_string(::getpid()));
  std::string path = (folder / "Capter.ini").string();
  ScriptedMessageBoxes boxes;
  OcrSettings live;
};

TEST_F(OcrSettingsDialogTest, FieldsShowTheLiveSettingsWithTheirRangesAsHints) {
  live.SpaceWidth = -3;
  TForm4 dialog(live, path);
  Open(dialog, [&] {
    EXPECT_EQ(Field(dialog, "Integer_uMinSpaceWidth")->text(), "-3");
    EXPECT_EQ(Field(dialog, "Word_uSensibility")->text(), "980");
    EXPECT_EQ(dialog.findChild<QSlider*>("TrackBarSensibility")->value(), 980);
    EXPECT_EQ(Field(dialog, "Word_uMinInterLine")->toolTip(), "Entier entre 1 et 50");
    EXPECT_EQ(Field(dialog, "Integer_uDetectItaWidth")->toolTip(), "Entier entre -10 et 10");
    EXPECT_EQ(Field(dialog, "Word_uSensibility")->toolTip(), "Entier entre 0 et 1000");
    EXPECT_EQ(Field(dialog, "Integer_uMinItaSpaceWidth")->maxLength(), 3);
    EXPECT_TRUE(dialog.findChild<QCheckBox*>("CheckBoxDetachedChar")->isChecked());
    Click(dialog, "ButtonOK");
  });
  EXPECT_EQ(live.SpaceWidth, -3);
}

TEST_F(OcrSettingsDialogTest, TrackBarAndSensibilityFieldFollowEachOther) {
  TForm4 dialog(live, path);
  Open(dialog, [&] {
    auto* bar = dialog.findChild<QSlider*>("TrackBarSensibility");
    Type(dialog, "Word_uSensibility", "1000");
    EXPECT_EQ(bar->value(), bar->maximum());
    bar->setValue(500);
    EXPECT_EQ(Field(dialog, "Word_uSensibility")->text(), "500");
    Click(dialog, "ButtonOK");
  });
  EXPECT_EQ(live.Sensibility, 500);
}

TEST_F(OcrSettingsDialogTest, OkStoresAndCancelForgets) {
  TForm4 dialog(live, path);
  Open(dialog, [&] {
    Type(dialog, "Word_uOcrTopDiff", "9");
    dialog.findChild<QCheckBox*>("CheckBoxDetachedChar")->setChecked(false);
    Click(dialog, "ButtonCancel");
  });
  EXPECT_EQ(live, OcrSettings{});
  Open(dialog, [&] {
    EXPECT_EQ(Field(dialog, "Word_uOcrTopDiff")->text(), "6");  // reloaded
    Type(dialog, "Word_uOcrTopDiff", "9");
    Type(dialog, "Integer_uDetectItaWidth", "-7");
    Click(dialog, "ButtonOK");
  });
  EXPECT_EQ(live.MaxCharDiffTop, 9);
  EXPECT_EQ(live.DetectItaWidth, -7);
  EXPECT_FALSE(fs::exists(path));  // OK writes nothing
}

TEST_F(OcrSettingsDialogTest, ReloadDefaultsTakesEffectAtOnceAndDisablesCancel) {
  live.MinLineHeight = 20;
  live.Sensibility = 700;
  TForm4 dialog(live, path);
  Open(dialog, [&] {
    Click(dialog, "ButtonReloadDefault");
    EXPECT_EQ(live, OcrSettings{});
    EXPECT_EQ(Field(dialog, "Word_uLineMinHeight")->text(), "8");
    EXPECT_FALSE(dialog.findChild<QPushButton*>("ButtonCancel")->isEnabled());
    QTest::keyClick(&dialog, Qt::Key_Escape);  // nothing to undo: it stays
    EXPECT_TRUE(dialog.isVisible());
    Click(dialog, "ButtonOK");
  });
  EXPECT_EQ(live, OcrSettings{});
}

TEST_F(OcrSettingsDialogTest, SavedValuesComeBackAtTheNextStartAndOthersDoNot) {
  TForm4 dialog(live, path);
  Open(dialog, [&] {
    Type(dialog, "Integer_uMinSpaceWidth", "11");
    Type(dialog, "Word_uOcrHeightDiff", "0");
    Click(dialog, "ButtonSaveValues");
    EXPECT_TRUE(dialog.isVisible());  // stays open
    EXPECT_FALSE(dialog.findChild<QPushButton*>("ButtonCancel")->isEnabled());
    Type(dialog, "Word_uSensibility", "900");  // confirmed with OK only
    Click(dialog, "ButtonOK");
  });
  EXPECT_EQ(live.Sensibility, 900);
  const OcrSettings next = NextStart();
  EXPECT_EQ(next.SpaceWidth, 11);
  EXPECT_EQ(next.MaxCharDiffHeight, 0);
  EXPECT_EQ(next.Sensibility, 980);
}

TEST_F(OcrSettingsDialogTest, AidCheckBoxesShowStoreAndReloadTheRecognitionAids) {
  SetRecognitionAids(live, false);
  live.Proposals = true;
  TForm4 dialog(live, path);
  Open(dialog, [&] {
    for (const OcrAidInfo& info : kOcrAids) {
      auto* box = dialog.findChild<QCheckBox*>(info.name);
      ASSERT_NE(box, nullptr) << info.name;
      EXPECT_EQ(box->isChecked(), info.aid == &OcrSettings::Proposals) << info.name;
    }
    dialog.findChild<QCheckBox*>("CheckBoxWholeGlyphs")->setChecked(true);
    dialog.findChild<QCheckBox*>("CheckBoxProposals")->setChecked(false);
    Click(dialog, "ButtonCancel");
  });
  EXPECT_FALSE(live.WholeGlyphs);
  EXPECT_TRUE(live.Proposals);
  Open(dialog, [&] {
    EXPECT_FALSE(dialog.findChild<QCheckBox*>("CheckBoxWholeGlyphs")->isChecked());  // reloaded
    dialog.findChild<QCheckBox*>("CheckBoxBestMatch")->click();
    Click(dialog, "ButtonOK");
  });
  EXPECT_TRUE(live.BestMatch);
  EXPECT_FALSE(live.AutoSpaces);
  // The defaults tick every aid but whole glyphs, in the settings and the
  // boxes alike.
  Open(dialog, [&] {
    Click(dialog, "ButtonReloadDefault");
    for (const OcrAidInfo& info : kOcrAids) {
      EXPECT_EQ(dialog.findChild<QCheckBox*>(info.name)->isChecked(),
                info.aid != &OcrSettings::WholeGlyphs)
          << info.name;
    }
    Click(dialog, "ButtonOK");
  });
  EXPECT_EQ(live, OcrSettings{});
}

TEST_F(OcrSettingsDialogTest, SavedAidsComeBackAtTheNextStart) {
  TForm4 dialog(live, path);
  Open(dialog, [&] {
    dialog.findChild<QCheckBox*>("CheckBoxSplitTouching")->setChecked(false);
    dialog.findChild<QCheckBox*>("CheckBoxWholeGlyphs")->setChecked(true);
    Click(dialog, "ButtonSaveValues");
    dialog.findChild<QCheckBox*>("CheckBoxLayeredDetection")->setChecked(false);
    Click(dialog, "ButtonOK");
  });
  const OcrSettings next = NextStart();
  EXPECT_FALSE(next.SplitTouching);
  EXPECT_TRUE(next.WholeGlyphs);
  EXPECT_TRUE(next.LayeredDetection);  // changed after the save
  EXPECT_TRUE(next.BestMatch);
}

TEST_F(OcrSettingsDialogTest, AFailedSaveIsReported) {
  TForm4 dialog(live, (folder / "missing" / "Capter.ini").string());
  Open(dialog, [&] {
    Click(dialog, "ButtonSaveValues");
    EXPECT_TRUE(dialog.findChild<QPushButton*>("ButtonCancel")->isEnabled());
    Click(dialog, "ButtonOK");
  });
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].kind, MessageKind::Error);
}

}  // namespace
}  // namespace capter::testing
