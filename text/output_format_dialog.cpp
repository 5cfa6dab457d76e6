#include "text/output_format_dialog.h"

#include <QColorDialog>
#include <QEvent>
#include <QFontDialog>

#include "app/common_dialogs.h"
#include "app/qt_colour.h"
#include "app/qt_text.h"
#include "text/text_window_actions.h"
#include "ui_output_format_dialog.h"

namespace capter {
namespace {

QFont ToQFont(const FontDescription& d) {
  QFont font(ToQt(d.face));
  font.setPointSize(d.pointSize > 0 ? d.pointSize : 1);
  font.setBold(d.bold);
  font.setItalic(d.italic);
  font.setUnderline(d.underline);
  font.setStrikeOut(d.strikeOut);
  return font;
}

FontDescription FromQFont(const QFont& font, Colour colour) {
  FontDescription d;
  d.face = FromQt(font.family());
  d.pointSize = font.pointSize() > 0 ? font.pointSize() : d.pointSize;
  d.colour = colour;
  d.bold = font.bold();
  d.italic = font.italic();
  d.underline = font.underline();
  d.strikeOut = font.strikeOut();
  return d;
}

constexpr const char* kColourProperty = "panelColour";

}  // namespace

TForm13::TForm13(SubtitleTextModel& model, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::Form13>()), model_(model) {
  ui_->setupUi(this);
  iauthorPanels_ = {ui_->PanelPColor0, ui_->PanelPColor1, ui_->PanelPColor2, ui_->PanelPColor3};
  philipsPanels_ = {ui_->PanelPhilipsColor0, ui_->PanelPhilipsColor1, ui_->PanelPhilipsColor2,
                    ui_->PanelPhilipsColor3};
  for (QLabel* panel : iauthorPanels_) panel->installEventFilter(this);
  for (QLabel* panel : philipsPanels_) panel->installEventFilter(this);
  const QString version = QString(" ") + kCapterVersion;
  ui_->EditSubviewerSource->setText(ui_->EditSubviewerSource->text() + version);
  ui_->EditSubviewer2Source->setText(ui_->EditSubviewer2Source->text() + version);

  pickColour_ = [this](Colour current) { return WindowDialogs().ChooseColour(this, current); };
  pickFont_ = [this](const FontDescription& current) -> std::optional<FontDescription> {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, ToQFont(current), this);
    if (!ok) return std::nullopt;
    // Qt's font dialog has no colour; the colour dialog follows it.
    const QColor colour = QColorDialog::getColor(ToQColor(current.colour), this, "Font colour");
    return FromQFont(font, colour.isValid() ? FromQColor(colour) : current.colour);
  };

  connect(ui_->BitBtnConvert, &QPushButton::clicked, this, &TForm13::BitBtnConvertClick);
  connect(ui_->BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
  connect(ui_->ComboBoxPhilipsFrameRate, &QComboBox::currentIndexChanged, this,
          &TForm13::PhilipsFrameRateChange);
  connect(ui_->ComboBoxSonicFrameRate, &QComboBox::currentIndexChanged, this,
          &TForm13::SonicFrameRateChange);
  connect(ui_->CheckBoxPhilipsUseBmpColor, &QCheckBox::toggled, this, &TForm13::UseBmpColorClick);
  connect(ui_->ButtonSubviewer2Font, &QPushButton::clicked, this, &TForm13::ChangeFontClick);
  LoadDirectFields();
  FormShow();
}

TForm13::~TForm13() = default;

bool TForm13::Execute() {
  FormShow();
  return exec() == QDialog::Accepted;
}

void TForm13::FormShow() {
  const OutputFormatSettings& s = model_.Options().settings;
  for (size_t k = 0; k < 4; ++k) {
    SetPanelColour(iauthorPanels_[k], s.iauthorColours[k]);
    SetPanelColour(philipsPanels_[k], s.philipsColours[k]);
  }
  ui_->SpinEditBlendPColor0->setValue(s.iauthorBlends[0]);
  ui_->SpinEditBlendPColor1->setValue(s.iauthorBlends[1]);
  ui_->SpinEditBlendPColor2->setValue(s.iauthorBlends[2]);
  ui_->SpinEditBlendPColor3->setValue(s.iauthorBlends[3]);
  ui_->SpinEditMinimumInterval->setValue(s.iauthorMinimumInterval);

  ui_->ComboBoxPhilipsFrameRate->setCurrentIndex(s.philipsFrameRate == kFrameRateNtsc ? 1 : 0);
  PhilipsFrameRateChange();
  ui_->CheckBoxPhilipsDropFrame->setChecked(s.philipsDropFrame);
  ui_->CheckBoxPhilipsUseBmpColor->setChecked(s.philipsUseBmpColor);
  UseBmpColorClick();
  ui_->SpinEditPhilipsContrast0->setValue(s.philipsContrasts[0]);
  ui_->SpinEditPhilipsContrast1->setValue(s.philipsContrasts[1]);
  ui_->SpinEditPhilipsContrast2->setValue(s.philipsContrasts[2]);
  ui_->SpinEditPhilipsContrast3->setValue(s.philipsContrasts[3]);

  ui_->ComboBoxSonicFrameRate->setCurrentIndex(s.sonicFrameRate == kFrameRateNtsc ? 1 : 0);
  SonicFrameRateChange();
  ui_->CheckBoxSonicDropFrame->setChecked(s.sonicDropFrame);

  ui_->CheckBoxCptExtended->setChecked(s.extended);
  // The reader sets the index offset; the other direct fields keep what
  // was typed.
  ui_->SpinEditCapterOffset->setValue(model_.Options().capterOffset);
  ui_->PageControlCapter->setCurrentIndex(static_cast<int>(model_.OutputFormat()));
}

OutputFormatSettings TForm13::SettingsFromControls() const {
  OutputFormatSettings s = model_.Options().settings;
  s.extended = ui_->CheckBoxCptExtended->isChecked();
  for (size_t k = 0; k < 4; ++k) {
    s.iauthorColours[k] = PanelColour(iauthorPanels_[k]);
    s.philipsColours[k] = PanelColour(philipsPanels_[k]);
  }
  s.iauthorBlends = {static_cast<uint8_t>(ui_->SpinEditBlendPColor0->value()),
                     static_cast<uint8_t>(ui_->SpinEditBlendPColor1->value()),
                     static_cast<uint8_t>(ui_->SpinEditBlendPColor2->value()),
                     static_cast<uint8_t>(ui_->SpinEditBlendPColor3->value())};
  s.iauthorMinimumInterval = static_cast<uint16_t>(ui_->SpinEditMinimumInterval->value());
  s.philipsFrameRate = static_cast<uint8_t>(ui_->ComboBoxPhilipsFrameRate->currentIndex());
  s.philipsDropFrame = ui_->CheckBoxPhilipsDropFrame->isChecked();
  s.philipsUseBmpColor = ui_->CheckBoxPhilipsUseBmpColor->isChecked();
  s.philipsContrasts = {static_cast<uint8_t>(ui_->SpinEditPhilipsContrast0->value()),
                        static_cast<uint8_t>(ui_->SpinEditPhilipsContrast1->value()),
                        static_cast<uint8_t>(ui_->SpinEditPhilipsContrast2->value()),
                        static_cast<uint8_t>(ui_->SpinEditPhilipsContrast3->value())};
  s.sonicFrameRate = static_cast<uint8_t>(ui_->ComboBoxSonicFrameRate->currentIndex());
  s.sonicDropFrame = ui_->CheckBoxSonicDropFrame->isChecked();
  return s;
}

void TForm13::BitBtnConvertClick() {
  StoreDirectFields();
  const auto format = static_cast<OutputFormatCode>(ui_->PageControlCapter->currentIndex());
  const OutputFormatSettings settings = SettingsFromControls();
  accept();
  ConvertToFormat(model_, settings, format);
}

void TForm13::done(int result) {
  StoreDirectFields();
  QDialog::done(result);
}

void TForm13::LoadDirectFields() {
  const OutputFormatOptions& o = model_.Options();
  ui_->SpinEditCapterOffset->setValue(o.capterOffset);
  ui_->EditSubviewerTitle->setText(ToQt(o.subViewer.title));
  ui_->EditSubviewerAuthor->setText(ToQt(o.subViewer.author));
  ui_->EditSubviewerSource->setText(ToQt(o.subViewer.source));
  ui_->EditSubviewerProgram->setText(ToQt(o.subViewer.program));
  ui_->EditSubviewerFilePath->setText(ToQt(o.subViewer.filePath));
  ui_->SpinEditSubViewerDelay->setValue(o.subViewer.delay);
  ui_->CheckBox2LineMax->setChecked(o.subViewer.twoLineMax);
  ui_->CheckBoxRoundTC->setChecked(o.subViewer.roundTimeCode);
  ui_->EditSubviewer2Title->setText(ToQt(o.subViewer2.title));
  ui_->EditSubviewer2Author->setText(ToQt(o.subViewer2.author));
  ui_->EditSubviewer2Source->setText(ToQt(o.subViewer2.source));
  ui_->EditSubviewer2Program->setText(ToQt(o.subViewer2.program));
  ui_->EditSubviewer2FilePath->setText(ToQt(o.subViewer2.filePath));
  ui_->SpinEditSubViewer2Delay->setValue(o.subViewer2.delay);
  ui_->SpinEditSubViewer2CDTrack->setValue(o.subViewer2.cdTrack);
  ui_->EditSubviewer2Comment->setText(ToQt(o.subViewer2.comment));
  ui_->EditPhilipsTitle->setText(ToQt(o.philipsTitle));
  ShowFont(o.subViewer2.font);
}

void TForm13::StoreDirectFields() {
  OutputFormatOptions& o = model_.Options();
  o.capterOffset = static_cast<uint16_t>(ui_->SpinEditCapterOffset->value());
  o.subViewer.title = FromQt(ui_->EditSubviewerTitle->text());
  o.subViewer.author = FromQt(ui_->EditSubviewerAuthor->text());
  o.subViewer.source = FromQt(ui_->EditSubviewerSource->text());
  o.subViewer.program = FromQt(ui_->EditSubviewerProgram->text());
  o.subViewer.filePath = FromQt(ui_->EditSubviewerFilePath->text());
  o.subViewer.delay = ui_->SpinEditSubViewerDelay->value();
  o.subViewer.twoLineMax = ui_->CheckBox2LineMax->isChecked();
  o.subViewer.roundTimeCode = ui_->CheckBoxRoundTC->isChecked();
  o.subViewer2.title = FromQt(ui_->EditSubviewer2Title->text());
  o.subViewer2.author = FromQt(ui_->EditSubviewer2Author->text());
  o.subViewer2.source = FromQt(ui_->EditSubviewer2Source->text());
  o.subViewer2.program = FromQt(ui_->EditSubviewer2Program->text());
  o.subViewer2.filePath = FromQt(ui_->EditSubviewer2FilePath->text());
  o.subViewer2.delay = static_cast<uint16_t>(ui_->SpinEditSubViewer2Delay->value());
  o.subViewer2.cdTrack = static_cast<uint8_t>(ui_->SpinEditSubViewer2CDTrack->value());
  o.subViewer2.comment = FromQt(ui_->EditSubviewer2Comment->text());
  o.subViewer2.font = font_;
  o.philipsTitle = FromQt(ui_->EditPhilipsTitle->text());
}

Colour TForm13::PanelColour(const QLabel* panel) const {
  return static_cast<Colour>(panel->property(kColourProperty).toUInt());
}

void TForm13::SetPanelColour(QLabel* panel, Colour colour) {
  panel->setProperty(kColourProperty, static_cast<uint>(colour));
  QPalette palette = panel->palette();
  palette.setColor(QPalette::Window, ToQColor(colour));
  panel->setPalette(palette);
}

void TForm13::ShowFont(const FontDescription& font) {
  font_ = font;
  QLabel* panel = ui_->PanelSubViewer2Font;
  panel->setFont(ToQFont(font));
  QPalette palette = panel->palette();
  palette.setColor(QPalette::Window, Qt::black);
  palette.setColor(QPalette::WindowText, ToQColor(font.colour));
  panel->setPalette(palette);
}

void TForm13::PhilipsFrameRateChange() {
  ui_->CheckBoxPhilipsDropFrame->setEnabled(ui_->ComboBoxPhilipsFrameRate->currentIndex() == 1);
}

void TForm13::SonicFrameRateChange() {
  ui_->CheckBoxSonicDropFrame->setEnabled(ui_->ComboBoxSonicFrameRate->currentIndex() == 1);
}

void TForm13::UseBmpColorClick() {
  const bool fromBitmap = ui_->CheckBoxPhilipsUseBmpColor->isChecked();
  for (QLabel* panel : philipsPanels_) panel->setVisible(!fromBitmap);
  ui_->LabelPhilipsColor->setEnabled(!fromBitmap);
}

void TForm13::ChangeFontClick() {
  if (const std::optional<FontDescription> chosen = pickFont_(font_)) ShowFont(*chosen);
}

bool TForm13::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    for (const auto* panels : {&iauthorPanels_, &philipsPanels_}) {
      for (QLabel* panel : *panels) {
        if (panel != watched) continue;
        if (const std::optional<Colour> chosen = pickColour_(PanelColour(panel))) {
          SetPanelColour(panel, *chosen);
        }
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace capter
