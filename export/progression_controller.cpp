#include "export/progression_controller.h"

#include <filesystem>

#include "app/qt_message_boxes.h"
#include "app/run_session.h"
#include "export/bitmap_adjustment_dialog.h"
#include "export/bmp_file.h"
#include "export/sup_file.h"
#include "stream/sub_picture_decoder.h"
#include "ui_progression_controller.h"

namespace capter {

TForm11::TForm11(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui_(std::make_unique<Ui::TForm11>()) {
  ui_->setupUi(this);
  connect(ui_->ButtonPause, &QPushButton::clicked, this, [this] { ButtonPauseClick(); });
  connect(ui_->ButtonNext, &QPushButton::clicked, this, [this] { ButtonNextClick(); });
  connect(ui_->ButtonNoStop, &QPushButton::clicked, this, [this] { ButtonNoStopClick(); });
  connect(ui_->ButtonChangeColor, &QPushButton::clicked, this,
          [this] { ButtonChangeColorClick(); });
  connect(ui_->ButtonSaveAsBmp, &QPushButton::clicked, this,
          [this] { SaveSinglePicture(SinglePictureKind::Bmp); });
  connect(ui_->ButtonSaveAsSup, &QPushButton::clicked, this,
          [this] { SaveSinglePicture(SinglePictureKind::Sup); });
}

TForm11::~TForm11() = default;

void TForm11::Attach(RunSession& session) {
  Attach(session.Run());
}

void TForm11::SetDialogs(CommonDialogs* dialogs) {
  dialogs_ = dialogs != nullptr ? dialogs : &WindowDialogs();
}

void TForm11::Hold(const PalettedPicture& rendition, const CollectedUnit& unit) {
  // The unit's bytes live only while the run is in its hook: keep a copy
  // for the SUP save and for the adjustment window.
  rendition_ = rendition;
  unitBytes_.assign(unit.bytes.begin(), unit.bytes.end());
  unitStart_ = unit.start;
  unitSector_ = unit.sector;
  exec();
}

void TForm11::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (textWindow_ != nullptr) textWindow_->hide();
  ui_->ButtonNext->setFocus();
}

void TForm11::ButtonPauseClick() {
  if (run_ != nullptr) run_->PauseClick();
  accept();
}

void TForm11::ButtonNextClick() {
  accept();
  if (showPictureBox_ != nullptr) showPictureBox_->setFocus();
}

void TForm11::ButtonNoStopClick() {
  noStop_ = true;
  // The time spent looking at the held pictures is not reading time.
  if (run_ != nullptr) run_->RestartElapsedMeasurement();
  accept();
}

void TForm11::ButtonChangeColorClick() {
  if (adjustment_ == nullptr || unitBytes_.empty()) return;
  SubPicture unit;
  unit.Parse(unitBytes_, unitStart_, static_cast<int32_t>(unitSector_));
  DecodedBitmap decoded;
  DecodeSubPicture(unit, decoded);
  adjustment_->Adjust(decoded, unit.First().area);
  // The adjustment window showed the picture re-rendered in the preview;
  // a BMP save now writes that picture.
  rendition_ = adjustment_->Rendition();
}

void TForm11::SaveSinglePicture(SinglePictureKind kind) {
  const uint32_t units = run_ != nullptr ? run_->Reader().UnitsInRun() : 0;
  const std::optional<std::string> chosen =
      dialogs_->SaveFileName(this, {.title = SinglePictureSaveTitle(kind, units),
                                    .filter = "",
                                    .defaultExtension = "",
                                    .folder = saveFolder_,
                                    .proposedName = {}});
  if (!chosen) return;
  saveFolder_ = std::filesystem::path(*chosen).parent_path().string();
  const std::string path = SinglePictureSavePath(*chosen, kind);
  const FileResult written = kind == SinglePictureKind::Bmp ? WriteBmpFile(rendition_, path)
                                                            : WriteSupFile(unitBytes_, path);
  if (!written.ok) ReportError(written.error);
}

void TForm11::ReportError(const std::string& error) {
  WindowBoxes().Ask(MessageKind::Error, ButtonSet::Ok, error);
}

}  // namespace capter
