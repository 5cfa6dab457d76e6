// The Output Format dialog: converting through every tab renders what the
// core renderers give, saving in every format writes what capter-cli
// convert writes, and which controls Cancel restores.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "tests/gui/text_window_support.h"
#include "tests/text/text_test_support.h"
#include "text/output_format.h"
#include "text/output_format_dialog.h"

namespace capter {
namespace {

class OutputFormatDialog : public testing::TextWindowTest {
 protected:
  OutputFormatDialog() : dialog_(window_->OutputFormatDialog()) {
    const SubtitleTable sample = testing::SampleTable();
    for (uint16_t i = 1; i <= sample.Count(); ++i) table_.Append(sample.At(i));
  }

  template <typename T>
  T* Control(const char* name) {
    T* control = dialog_.findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }

  void ConvertTo(int tab) {
    dialog_.FormShow();
    Control<QTabWidget>("PageControlCapter")->setCurrentIndex(tab);
    Control<QPushButton>("BitBtnConvert")->click();
  }

  // The header and every entry as the renderers give them.
  std::vector<std::string> Rendered(OutputFormatCode format) const {
    OutputFormatOptions options = model_.Options();
    TextLines lines;
    AppendHeader(format, options, model_.GeneratedAt(), lines);
    for (uint16_t i = 1; i <= table_.Count(); ++i) {
      RenderEntry(format, i, table_.At(i), i > 1 ? &table_.At(i - 1).stop : nullptr, options,
                  lines);
    }
    return lines;
  }

  TForm13& dialog_;
};

TEST_F(OutputFormatDialog, ConvertingThroughEveryTabRendersTheTableInThatFormat) {
  for (int tab = 0; tab < kOutputFormatCount; ++tab) {
    ConvertTo(tab);
    const auto format = static_cast<OutputFormatCode>(tab);
    EXPECT_EQ(model_.OutputFormat(), format);
    EXPECT_EQ(Rows(), Rendered(format)) << "tab " << tab;
    EXPECT_EQ(window_->windowTitle(), "Subtitles - New File -");
    EXPECT_EQ(model_.ProposedFileName(), "New File" + FileExtension(format));
    EXPECT_TRUE(model_.TextModified());
  }
}

TEST_F(OutputFormatDialog, TheIAuthorTabAlwaysStoresExtended) {
  dialog_.FormShow();
  Control<QCheckBox>("CheckBoxCptExtended")->setChecked(false);
  Control<QTabWidget>("PageControlCapter")->setCurrentIndex(3);
  Control<QPushButton>("BitBtnConvert")->click();
  EXPECT_TRUE(configuration_.output.extended);
  EXPECT_EQ(Rows()[1], "00:00:01,000 --> 00:00:03,200  X1:160 X2:559 Y1:420 Y2:475");
  dialog_.FormShow();
  EXPECT_TRUE(Control<QCheckBox>("CheckBoxCptExtended")->isChecked());
}

TEST_F(OutputFormatDialog, TheSonicTabChangesOnlyTheSonicSettings) {
  const OutputFormatSettings before = model_.Options().settings;
  dialog_.FormShow();
  Control<QComboBox>("ComboBoxSonicFrameRate")->setCurrentIndex(1);
  EXPECT_TRUE(Control<QCheckBox>("CheckBoxSonicDropFrame")->isEnabled());
  Control<QCheckBox>("CheckBoxSonicDropFrame")->setChecked(true);
  Control<QTabWidget>("PageControlCapter")->setCurrentIndex(5);
  Control<QPushButton>("BitBtnConvert")->click();
  OutputFormatSettings expected = before;
  expected.sonicFrameRate = kFrameRateNtsc;
  expected.sonicDropFrame = true;
  EXPECT_EQ(model_.Options().settings, expected);
  EXPECT_EQ(Rows()[0], "0001  00:00:01:00  00:00:03:06  Good evening.");
}

TEST_F(OutputFormatDialog, PalDisablesTheDropFrameBoxWhichKeepsItsTick) {
  model_.Options().settings.philipsDropFrame = true;
  dialog_.FormShow();
  auto* drop = Control<QCheckBox>("CheckBoxPhilipsDropFrame");
  EXPECT_FALSE(drop->isEnabled());
  EXPECT_TRUE(drop->isChecked());
  Control<QComboBox>("ComboBoxPhilipsFrameRate")->setCurrentIndex(1);
  EXPECT_TRUE(drop->isEnabled());
  Control<QComboBox>("ComboBoxPhilipsFrameRate")->setCurrentIndex(0);
  Control<QPushButton>("BitBtnConvert")->click();
  EXPECT_TRUE(model_.Options().settings.philipsDropFrame);
}

TEST_F(OutputFormatDialog, BitmapColoursHideThePhilipsColourPanels) {
  dialog_.show();
  dialog_.FormShow();
  auto* useBmp = Control<QCheckBox>("CheckBoxPhilipsUseBmpColor");
  Control<QTabWidget>("PageControlCapter")->setCurrentIndex(4);
  EXPECT_TRUE(useBmp->isChecked());
  EXPECT_FALSE(Control<QLabel>("PanelPhilipsColor0")->isVisibleTo(&dialog_));
  EXPECT_FALSE(Control<QLabel>("LabelPhilipsColor")->isEnabled());
  useBmp->click();
  EXPECT_TRUE(Control<QLabel>("PanelPhilipsColor0")->isVisibleTo(&dialog_));
  EXPECT_TRUE(Control<QLabel>("LabelPhilipsColor")->isEnabled());
  dialog_.reject();
}

TEST_F(OutputFormatDialog, CancelRestoresTheStoredSettingsButKeepsTypedFields) {
  std::vector<Colour> offered;
  dialog_.SetColourPicker([&](Colour current) -> std::optional<Colour> {
    offered.push_back(current);
    return 0x0000FF;
  });
  dialog_.show();
  dialog_.FormShow();
  Control<QTabWidget>("PageControlCapter")->setCurrentIndex(3);
  auto* panel = Control<QLabel>("PanelPColor1");
  QTest::mouseClick(panel, Qt::LeftButton);
  EXPECT_EQ(offered, std::vector<Colour>{0xFFFFFF});
  EXPECT_EQ(dialog_.PanelColour(panel), 0x0000FFu);
  Control<QSpinBox>("SpinEditBlendPColor2")->setValue(3);
  Control<QLineEdit>("EditSubviewerTitle")->setText("My film");
  Control<QSpinBox>("SpinEditCapterOffset")->setValue(99);
  Control<QPushButton>("BitBtn1")->click();

  EXPECT_EQ(model_.Options().settings, configuration_.output);
  dialog_.FormShow();
  EXPECT_EQ(dialog_.PanelColour(panel), 0xFFFFFFu);
  EXPECT_EQ(Control<QSpinBox>("SpinEditBlendPColor2")->value(), 15);
  EXPECT_EQ(Control<QLineEdit>("EditSubviewerTitle")->text(), "My film");
  EXPECT_EQ(Control<QSpinBox>("SpinEditCapterOffset")->value(), 99);
  // The typed fields apply from the next rendering on.
  model_.RefreshList();
  EXPECT_EQ(Rows()[0], "100");
}

TEST_F(OutputFormatDialog, TheChosenFontIsDescribedInTheSubViewer2Header) {
  FontDescription chosen;
  chosen.face = "Courier New";
  chosen.pointSize = 20;
  chosen.colour = 0x0000FF;
  chosen.bold = false;
  chosen.italic = true;
  dialog_.SetFontPicker([&](const FontDescription&) { return chosen; });
  dialog_.FormShow();
  Control<QPushButton>("ButtonSubviewer2Font")->click();
  EXPECT_EQ(Control<QLabel>("PanelSubViewer2Font")->font().italic(), true);
  Control<QPushButton>("BitBtn1")->click();  // the font is kept by Cancel too
  ConvertTo(2);
  EXPECT_EQ(Rows()[11], "[COLF]&H0000FF,[STYLE]it,[SIZE]20,[FONT]Courier New");
}

// Saving in every format writes the bytes capter-cli convert writes for the
// same table, apart from the local date and time some headers name.
class SaveInEveryFormat : public OutputFormatDialog {
 protected:
  static std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  static std::string WithoutDate(std::string bytes) {
    for (const std::string mark :
         {"# GENERATED BY CAPTER 0.96b on ", "*******IAUTHOR OGT GENERATED BY CAPTER 0.96b on "}) {
      const size_t at = bytes.find(mark);
      if (at == std::string::npos) continue;
      const size_t from = at + mark.size();
      bytes.replace(from, bytes.find("\r\n", from) - from, "<date>");
    }
    return bytes;
  }

  void SaveAs(const std::string& name) {
    files_.save = PathOf(name);
    window_->Saveas1Click();
  }
};

TEST_F(SaveInEveryFormat, WritesWhatCapterCliConvertWrites) {
  ConvertTo(0);
  dialog_.FormShow();
  Control<QCheckBox>("CheckBoxCptExtended")->setChecked(true);
  Control<QPushButton>("BitBtnConvert")->click();
  SaveAs("table.cpt");
  files_.open = PathOf("table.cpt");
  window_->OpenCapterFormat1Click();
  ASSERT_EQ(table_.Count(), 4);

  const char* names[] = {"own", "subviewer", "subviewer2", "iauthor", "philips", "sonic"};
  for (int tab = 0; tab < kOutputFormatCount; ++tab) {
    ConvertTo(tab);
    const std::string ours = "window_" + std::to_string(tab);
    const std::string theirs = PathOf("cli_" + std::to_string(tab));
    SaveAs(ours);
    const std::string command = std::string(CAPTER_CLI_PATH) + " convert --format " + names[tab] +
                                " -o '" + theirs + "' '" + PathOf("table.cpt") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_EQ(WithoutDate(Bytes(PathOf(ours))), WithoutDate(Bytes(theirs))) << names[tab];
    EXPECT_FALSE(model_.TextModified());
  }
}

}  // namespace
}  // namespace capter
