#include "export/bitmap_adjustment_dialog.h"

#include <QMouseEvent>
#include <QPainterPath>
#include <QRegion>
#include <QTimer>

#include "app/qt_message_boxes.h"
#include "app/qt_text.h"
#include "app/run_session.h"
#include "base/message_table.h"
#include "base/path_names.h"
#include "export/adjustment_rules.h"
#include "export/bmp_file.h"
#include "export/bmp_profile.h"
#include "export/export_rendition.h"
#include "text/text_window_actions.h"
#include "ui_bitmap_adjustment_dialog.h"

namespace capter {
namespace {

constexpr int kOutlineDelayMs = 50;
constexpr qreal kCornerRadius = 2.5;  // an ellipse of 5 x 5
constexpr char kProfileFilter[] = "Capter BMP Settings File (*.ini)|*.ini|All|*.*";
constexpr char kBmpFilter[] = "Bitmap File (*.bmp)|*.bmp|All|*.*";
constexpr char kReduceCaption[] = "<<";
constexpr char kRestoreCaption[] = ">>";

// Sets a combo's row without calling its change handler.
void SetRowQuietly(QComboBox* combo, int row) {
  const QSignalBlocker quiet(combo);
  combo->setCurrentIndex(row);
}

}  // namespace

TForm18::TForm18(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), ui_(std::make_unique<Ui::TForm18>()) {
  ui_->setupUi(this);
  swatches_ = {ui_->PanelColor0, ui_->PanelColor1, ui_->PanelColor2, ui_->PanelColor3,
               ui_->PanelUnusedColor};
  roleCombos_ = {ui_->ComboBoxDVDColor0, ui_->ComboBoxDVDColor1, ui_->ComboBoxDVDColor2,
                 ui_->ComboBoxDVDColor3};
  indexCombos_ = {ui_->ComboBoxColorIndex0, ui_->ComboBoxColorIndex1, ui_->ComboBoxColorIndex2,
                  ui_->ComboBoxColorIndex3};
  ui_->ButtonReduceWindow->setText(kReduceCaption);
  ConnectControls();
  // Dragging any page or panel moves the window.
  for (int page = 0; page < ui_->PageControl1->count(); ++page) {
    ui_->PageControl1->widget(page)->installEventFilter(this);
  }
  ui_->PanelBottom->installEventFilter(this);
  for (QFrame* swatch : swatches_) swatch->installEventFilter(this);
  LoadControls();
}

TForm18::~TForm18() = default;

void TForm18::Attach(BmpExportSettings& settings, ColourRoles& roles, SubtitleTextModel& text) {
  settings_ = &settings;
  roles_ = &roles;
  text_ = &text;
}

void TForm18::Attach(RunSession& session) {
  Attach(session.BmpSettings(), session.Roles(), session.Text());
}

void TForm18::SetDialogs(CommonDialogs* dialogs) {
  dialogs_ = dialogs != nullptr ? dialogs : &WindowDialogs();
}

bool TForm18::Adjust(const Picture24& decoded, const Rect& area) {
  decoded_ = decoded;
  area_ = area;
  hasPicture_ = true;
  exec();
  return keepPicture_;
}

void TForm18::ConnectControls() {
  auto cropping = [this] { CroppingChange(); };
  connect(ui_->CheckBoxAllowBmpCropping, &QCheckBox::toggled, this, cropping);
  for (QSpinBox* spin : {ui_->SpinEditMinX, ui_->SpinEditMinY, ui_->SpinEditDivX, ui_->SpinEditDivY,
                         ui_->SpinEditXShift, ui_->SpinEditYShift}) {
    connect(spin, &QSpinBox::valueChanged, this, cropping);
  }
  connect(ui_->RadioGroupHAlignment, &RadioGroup::ItemIndexChanged, this, cropping);
  connect(ui_->RadioGroupVAlignment, &RadioGroup::ItemIndexChanged, this, cropping);

  auto positioning = [this] { PositioningChange(); };
  connect(ui_->CheckBoxAllowPositionChange, &QCheckBox::toggled, this, positioning);
  for (QRadioButton* button :
       {ui_->RadioButtonOriginalLeftPos, ui_->RadioButtonCenterLeftPos,
        ui_->RadioButtonRightLeftPos, ui_->RadioButtonSetLeftPos, ui_->RadioButtonOriginalTopPos,
        ui_->RadioButtonCenterTopPos, ui_->RadioButtonBottomTopPos, ui_->RadioButtonSetTopPos}) {
    connect(button, &QRadioButton::toggled, this, [this, positioning](bool checked) {
      if (checked) positioning();
    });
  }
  for (QSpinBox* spin : {ui_->SpinEditLeftPosition, ui_->SpinEditAddLeftPos,
                         ui_->SpinEditTopPosition, ui_->SpinEditAddTopPos}) {
    connect(spin, &QSpinBox::valueChanged, this, positioning);
  }

  for (int role = 0; role < 4; ++role) {
    connect(roleCombos_[role], &QComboBox::activated, this, [this, role] { DVDColorChange(role); });
    connect(indexCombos_[role], &QComboBox::activated, this,
            [this, role] { ColorIndexChange(role); });
  }
  connect(ui_->ButtonAutoSortColor, &QPushButton::clicked, this,
          [this] { ButtonAutoSortColorClick(); });
  connect(ui_->RadioGroupPresetPaletteIndex, &RadioGroup::ItemIndexChanged, this, [this] {
    if (ready_) PresetPaletteIndexClick();
  });
  connect(ui_->ComboBoxBitPerPixel, &QComboBox::activated, this, [this] { BitPerPixelChange(); });

  connect(ui_->ButtonSaveBMP, &QPushButton::clicked, this, [this] { ButtonSaveBMPClick(); });
  connect(ui_->ButtonSaveProfile, &QPushButton::clicked, this,
          [this] { ButtonSaveProfileClick(); });
  connect(ui_->ButtonLoadProfile, &QPushButton::clicked, this,
          [this] { ButtonLoadProfileClick(); });
  connect(ui_->BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  connect(ui_->ButtonSkipPict, &QPushButton::clicked, this, [this] { ButtonSkipPictClick(); });
  connect(ui_->ButtonReduceWindow, &QPushButton::clicked, this,
          [this] { ButtonReduceWindowClick(); });
}

void TForm18::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TForm18::FormShow() {
  ready_ = false;
  keepPicture_ = true;
  textWasVisible_ = textWindow_ != nullptr && textWindow_->isVisible();
  if (textWindow_ != nullptr) textWindow_->hide();
  QTimer::singleShot(kOutlineDelayMs, this, [this] { ApplyOutline(); });
  LoadControls();
  Refresh();
  ready_ = true;
}

void TForm18::LoadControls() {
  const bool wasReady = ready_;
  ready_ = false;
  const BmpExportSettings& s = *settings_;
  ui_->CheckBoxAllowBmpCropping->setChecked(s.CropEnabled);
  ui_->SpinEditMinX->setValue(s.MinX);
  ui_->SpinEditMinY->setValue(s.MinY);
  ui_->SpinEditDivX->setValue(s.DivX);
  ui_->SpinEditDivY->setValue(s.DivY);
  ui_->RadioGroupHAlignment->SetItemIndex(s.CropXMode);
  ui_->SpinEditXShift->setValue(s.CropShiftX);
  ui_->RadioGroupVAlignment->SetItemIndex(s.CropYMode);
  ui_->SpinEditYShift->setValue(s.CropShiftY);

  for (int role = 0; role < 4; ++role) ShowSwatch(role, s.Colours[role]);
  ShowSwatch(4, s.UnusedColour);
  if (hasPicture_) roles_->AutoOrder(decoded_);
  LoadRoleCombos();

  {
    const QSignalBlocker quiet(ui_->RadioGroupPresetPaletteIndex);
    ui_->RadioGroupPresetPaletteIndex->SetItemIndex(s.Preset);
  }
  SetRowQuietly(ui_->ComboBoxBitPerPixel, s.BitsPerPixel == 8 ? 1 : 0);
  PresetPaletteIndexClick();

  ui_->CheckBoxAllowPositionChange->setChecked(s.PosEnabled);
  const std::array<QRadioButton*, 4> left = {
      ui_->RadioButtonOriginalLeftPos, ui_->RadioButtonCenterLeftPos, ui_->RadioButtonRightLeftPos,
      ui_->RadioButtonSetLeftPos};
  const std::array<QRadioButton*, 4> top = {
      ui_->RadioButtonOriginalTopPos, ui_->RadioButtonCenterTopPos, ui_->RadioButtonBottomTopPos,
      ui_->RadioButtonSetTopPos};
  left[std::min<size_t>(s.PosXMode, 3)]->setChecked(true);
  top[std::min<size_t>(s.PosYMode, 3)]->setChecked(true);
  ui_->SpinEditLeftPosition->setValue(s.PosX);
  ui_->SpinEditAddLeftPos->setValue(s.PosShiftX);
  ui_->SpinEditTopPosition->setValue(s.PosY);
  ui_->SpinEditAddTopPos->setValue(s.PosShiftY);
  EnableGroups();
  ready_ = wasReady;
}

void TForm18::LoadRoleCombos() {
  for (int role = 0; role < 4; ++role) SetRowQuietly(roleCombos_[role], roles_->Order()[role]);
}

void TForm18::EnableGroups() {
  const bool crop = ui_->CheckBoxAllowBmpCropping->isChecked();
  ui_->GroupBoxSizeConstraints->setEnabled(crop);
  ui_->GroupBoxCropPosition->setEnabled(crop);
  const bool position = ui_->CheckBoxAllowPositionChange->isChecked();
  ui_->GroupBoxLeftPosition->setEnabled(position);
  ui_->GroupBoxTopPosition->setEnabled(position);
}

void TForm18::Refresh() {
  if (!hasPicture_) return;
  renditionArea_ = RenderForExport(decoded_, area_, *settings_, roles_->Colours(), rendition_);
  if (preview_ != nullptr) preview_->ShowPicture(rendition_, renditionArea_);
}

void TForm18::CroppingChange() {
  EnableGroups();
  if (!ready_) return;
  BmpExportSettings& s = *settings_;
  s.CropEnabled = ui_->CheckBoxAllowBmpCropping->isChecked();
  s.MinX = static_cast<uint16_t>(ui_->SpinEditMinX->value());
  s.MinY = static_cast<uint16_t>(ui_->SpinEditMinY->value());
  s.DivX = static_cast<uint16_t>(ui_->SpinEditDivX->value());
  s.DivY = static_cast<uint16_t>(ui_->SpinEditDivY->value());
  s.CropXMode = static_cast<uint8_t>(std::max(0, ui_->RadioGroupHAlignment->ItemIndex()));
  s.CropYMode = static_cast<uint8_t>(std::max(0, ui_->RadioGroupVAlignment->ItemIndex()));
  s.CropShiftX = ui_->SpinEditXShift->value();
  s.CropShiftY = ui_->SpinEditYShift->value();
  Refresh();
}

void TForm18::PositioningChange() {
  EnableGroups();
  if (!ready_) return;
  BmpExportSettings& s = *settings_;
  s.PosEnabled = ui_->CheckBoxAllowPositionChange->isChecked();
  s.PosXMode = ui_->RadioButtonCenterLeftPos->isChecked()  ? 1
               : ui_->RadioButtonRightLeftPos->isChecked() ? 2
               : ui_->RadioButtonSetLeftPos->isChecked()   ? 3
                                                           : 0;
  s.PosYMode = ui_->RadioButtonCenterTopPos->isChecked()   ? 1
               : ui_->RadioButtonBottomTopPos->isChecked() ? 2
               : ui_->RadioButtonSetTopPos->isChecked()    ? 3
                                                           : 0;
  s.PosX = ui_->SpinEditLeftPosition->value();
  s.PosShiftX = ui_->SpinEditAddLeftPos->value();
  s.PosY = ui_->SpinEditTopPosition->value();
  s.PosShiftY = ui_->SpinEditAddTopPos->value();
  Refresh();
}

void TForm18::DVDColorChange(int role) {
  roles_->SetRoleCode(role, static_cast<uint8_t>(roleCombos_[role]->currentIndex()));
  LoadRoleCombos();
  Refresh();
}

void TForm18::ButtonAutoSortColorClick() {
  if (hasPicture_) roles_->AutoOrder(decoded_);
  LoadRoleCombos();
  Refresh();
}

void TForm18::PanelColorClick(int swatch) {
  const std::optional<Colour> chosen = dialogs_->ChooseColour(this, swatchColours_[swatch]);
  if (!chosen) return;
  ShowSwatch(swatch, *chosen);
  for (int role = 0; role < 4; ++role) settings_->Colours[role] = swatchColours_[role];
  settings_->UnusedColour = swatchColours_[4];
  Refresh();
}

void TForm18::ColorIndexChange(int role) {
  const auto index = static_cast<uint8_t>(indexCombos_[role]->currentIndex());
  if (!ChoosePaletteIndex(*settings_, role, index)) {
    WindowBoxes().Ask(MessageKind::Warning, ButtonSet::Ok, Messages().GetMessage(36));
    SetRowQuietly(indexCombos_[role], settings_->PaletteIndex[role]);
  }
  Refresh();
}

void TForm18::PresetPaletteIndexClick() {
  const int preset = ui_->RadioGroupPresetPaletteIndex->ItemIndex();
  ApplyPreset(*settings_, static_cast<uint8_t>(std::max(0, preset)));
  if (settings_->Preset != kPresetFree) {
    SetRowQuietly(ui_->ComboBoxBitPerPixel, settings_->BitsPerPixel == 8 ? 1 : 0);
  }
  BitPerPixelChange();
  const bool editable = PaletteIndexEditable(settings_->Preset);
  for (int role = 0; role < 4; ++role) {
    SetRowQuietly(indexCombos_[role], settings_->PaletteIndex[role]);
    indexCombos_[role]->setEnabled(editable);
  }
}

void TForm18::BitPerPixelChange() {
  settings_->BitsPerPixel = ui_->ComboBoxBitPerPixel->currentIndex() == 1 ? 8 : 4;
  Refresh();
}

void TForm18::ButtonSaveBMPClick() {
  const std::optional<std::string> path =
      dialogs_->SaveFileName(this, {.title = Messages().GetMessage(43),
                                    .filter = kBmpFilter,
                                    .defaultExtension = "bmp",
                                    .folder = "",
                                    .proposedName = {}});
  if (!path) return;
  const FileResult written = WriteBmpFile(rendition_, *path);
  if (!written.ok) ReportError(written.error);
}

void TForm18::ButtonSaveProfileClick() {
  const std::optional<std::string> path =
      dialogs_->SaveFileName(this, {.title = Messages().GetMessage(44),
                                    .filter = kProfileFilter,
                                    .defaultExtension = "ini",
                                    .folder = programDirectory_,
                                    .proposedName = {}});
  if (!path) return;
  const FileResult saved = SaveBmpProfile(*path, *settings_);
  if (!saved.ok) {
    ReportError(saved.error);
    return;
  }
  ui_->LabelCurrentProfile->setText(ToQt(FileNameOf(*path)));
}

void TForm18::ButtonLoadProfileClick() {
  const std::optional<std::string> path =
      dialogs_->OpenFileName(this, {.title = Messages().GetMessage(45),
                                    .filter = kProfileFilter,
                                    .defaultExtension = "ini",
                                    .folder = programDirectory_,
                                    .proposedName = {}});
  if (!path) return;
  const FileResult loaded = LoadBmpProfile(*path, *settings_);
  if (!loaded.ok) {
    ReportError(loaded.error);
    return;
  }
  ui_->LabelCurrentProfile->setText(ToQt(FileNameOf(*path)));
  ready_ = false;
  LoadControls();
  Refresh();
  ready_ = true;
}

void TForm18::BitBtn1Click() {
  const std::optional<OutputFormatCode> format = PresetOutputFormat(settings_->Preset);
  if (format && text_ != nullptr) ConvertToFormat(*text_, text_->Options().settings, *format);
  askAgain_ = false;
  accept();
}

void TForm18::ButtonSkipPictClick() {
  keepPicture_ = false;
  reject();
}

void TForm18::done(int result) {
  // The text window comes back however the window is closed, so a skipped
  // picture does not leave it hidden for the rest of the run.
  ShowTextWindowAgain();
  QDialog::done(result);
}

void TForm18::ShowTextWindowAgain() {
  if (textWasVisible_ && textWindow_ != nullptr) textWindow_->show();
  textWasVisible_ = false;
}

void TForm18::ButtonReduceWindowClick() {
  compact_ = !compact_;
  if (compact_) {
    fullSize_ = size();
    ui_->PageControl1->hide();
    ui_->BitBtn1->hide();
    ui_->ButtonSkipPict->hide();
    clearMask();
    const int side = ui_->PanelBottom->sizeHint().height();
    setMinimumSize(0, 0);
    layout()->setSizeConstraint(QLayout::SetNoConstraint);
    resize(side, side + 2);
  } else {
    ui_->PageControl1->show();
    ui_->BitBtn1->show();
    ui_->ButtonSkipPict->show();
    layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
    resize(fullSize_);
    ApplyOutline();
  }
  ui_->ButtonReduceWindow->setText(compact_ ? kRestoreCaption : kReduceCaption);
}

void TForm18::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (!mask().isEmpty()) ApplyOutline();
}

void TForm18::ApplyOutline() {
  if (compact_) return;
  const QTabBar* strip = ui_->PageControl1->tabBar();
  const QPoint stripEnd = strip->mapTo(this, QPoint(strip->width(), strip->height()));
  const int stripWidth = OutlineStripWidth(stripEnd.x(), width());
  const int bodyTop = ui_->PageControl1->mapTo(this, QPoint(0, 0)).y() + stripEnd.y();
  QPainterPath outline;
  outline.addRoundedRect(QRectF(0, 0, stripWidth, bodyTop + 2 * kCornerRadius), kCornerRadius,
                         kCornerRadius);
  outline.addRoundedRect(QRectF(0, bodyTop, width(), height() - bodyTop), kCornerRadius,
                         kCornerRadius);
  outline.setFillRule(Qt::WindingFill);
  setMask(QRegion(outline.simplified().toFillPolygon().toPolygon()));
}

bool TForm18::eventFilter(QObject* watched, QEvent* event) {
  for (int swatch = 0; swatch < static_cast<int>(swatches_.size()); ++swatch) {
    if (watched == swatches_[swatch] && event->type() == QEvent::MouseButtonRelease) {
      dragging_ = false;
      PanelColorClick(swatch);
      return true;
    }
  }
  // Only mouse events move the window; the others pass untouched.
  auto* mouse = dynamic_cast<QMouseEvent*>(event);
  if (mouse == nullptr) return QDialog::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      if (mouse->button() != Qt::LeftButton) break;
      dragging_ = true;
      dragOffset_ = mouse->globalPosition().toPoint() - frameGeometry().topLeft();
      return true;
    case QEvent::MouseMove:
      if (!dragging_ || !(mouse->buttons() & Qt::LeftButton)) break;
      move(mouse->globalPosition().toPoint() - dragOffset_);
      return true;
    case QEvent::MouseButtonRelease:
      dragging_ = false;
      break;
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

void TForm18::ShowSwatch(int swatch, Colour colour) {
  swatchColours_[swatch] = colour;
  QPalette palette = swatches_[swatch]->palette();
  palette.setColor(QPalette::Window, QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)));
  swatches_[swatch]->setPalette(palette);
}

void TForm18::ReportError(const std::string& error) {
  WindowBoxes().Ask(MessageKind::Error, ButtonSet::Ok, error);
}

}  // namespace capter
