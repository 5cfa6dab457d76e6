#include "text/post_ocr_correction_dialog.h"

#include <QApplication>
#include <QScreen>

#include "text/text_window_actions.h"
#include "ui_post_ocr_correction_dialog.h"

namespace capter {

TForm10::TForm10(SubtitleTextModel& model, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::Form10>()), model_(model) {
  ui_->setupUi(this);
  ui_->RadioGroupCorrectIlLanguage->SetItems({"English (May work with other languages)",
                                              QString::fromUtf8("Fran\u00e7ais ( French )"),
                                              "Deutsch ( German )"});
  ui_->RadioGroupCorrectIlLanguage->SetItemIndex(0);
  connect(ui_->CheckBoxCorrectIl, &QCheckBox::toggled, this, &TForm10::CheckBoxCorrectIlClick);
  connect(ui_->BitBtnCorrect, &QPushButton::clicked, this, &TForm10::BitBtnCorrectClick);
  connect(ui_->BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
  CheckBoxCorrectIlClick();
}

TForm10::~TForm10() = default;

bool TForm10::Execute() {
  adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  return exec() == QDialog::Accepted;
}

void TForm10::CheckBoxCorrectIlClick() {
  ui_->RadioGroupCorrectIlLanguage->setEnabled(ui_->CheckBoxCorrectIl->isChecked());
}

PostOcrCorrection TForm10::Choice() const {
  PostOcrCorrection choice;
  choice.mergeQuotes = ui_->CheckBoxCorrectTwiceAp->isChecked();
  choice.correctIAndL = ui_->CheckBoxCorrectIl->isChecked();
  switch (ui_->RadioGroupCorrectIlLanguage->ItemIndex()) {
    case 1:
      choice.language = CorrectionLanguage::French;
      break;
    case 2:
      choice.language = CorrectionLanguage::German;
      break;
    default:
      choice.language = CorrectionLanguage::English;
  }
  return choice;
}

void TForm10::BitBtnCorrectClick() {
  const PostOcrCorrection choice = Choice();
  accept();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  CorrectTextAndRefresh(model_, choice);
  QApplication::restoreOverrideCursor();
}

}  // namespace capter
