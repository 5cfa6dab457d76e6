#include "ocr/new_character_dialog.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPalette>

#include "app/qt_message_boxes.h"
#include "app/qt_text.h"
#include "base/message_ids.h"
#include "base/message_table.h"
#include "ocr/matrix_search.h"
#include "ocr/teaching_image.h"
#include "stream/time_code.h"
#include "ui_new_character_dialog.h"

namespace capter {

namespace {
constexpr int kWatchMs = 500;
// The picture area's width for a whole line.
constexpr int kLineImageWidth = 640;
}  // namespace

TForm2::TForm2(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowMinimizeButtonHint),
      ui_(std::make_unique<Ui::Form2>()),
      timerWakeUp_(new QTimer(this)),
      timerWatch_(new QTimer(this)) {
  ui_->setupUi(this);
  setModal(true);
  timerWakeUp_->setObjectName("TimerWakeUp");
  timerWakeUp_->setTimerType(Qt::PreciseTimer);  // the flashes are 150 ms apart
  timerWatch_->setObjectName("TimerWatch");
  timerWatch_->setInterval(kWatchMs);
  ui_->EditCharacter->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  ui_->ImageCharacter->setAlignment(Qt::AlignCenter);

  connect(ui_->ButtonOK, &QPushButton::clicked, this, &TForm2::ButtonOKClick);
  connect(ui_->ButtonSkipLine, &QPushButton::clicked, this, &TForm2::ButtonSkipLineClick);
  connect(ui_->ButtonSkipSubPicture, &QPushButton::clicked, this,
          &TForm2::ButtonSkipSubPictureClick);
  connect(ui_->ButtonPause, &QPushButton::clicked, this, &TForm2::ButtonPauseClick);
  connect(ui_->ButtonChangeTextColor, &QPushButton::clicked, this,
          &TForm2::ButtonChangeTextColorClick);
  connect(ui_->ButtonSearchMatrix, &QPushButton::clicked, this, &TForm2::ButtonSearchMatrixClick);
  connect(ui_->EditCharacter, &QLineEdit::textChanged, this, &TForm2::EditCharacterChange);
  connect(timerWakeUp_, &QTimer::timeout, this, &TForm2::TimerWakeUpTimer);
  connect(timerWatch_, &QTimer::timeout, this, &TForm2::TimerWatchTimer);
}

TForm2::~TForm2() = default;

void TForm2::SetMatrixSearch(CharacterMatrix* matrix, const OcrSettings* settings,
                             std::string searchFolder) {
  matrix_ = matrix;
  settings_ = settings;
  searchFolder_ = std::move(searchFolder);
}

void TForm2::SetRunControl(std::function<bool()> reading, std::function<void()> pauseCommand) {
  reading_ = std::move(reading);
  pauseCommand_ = std::move(pauseCommand);
}

TeachAnswer TForm2::Teach(const TeachRequest& request) {
  request_ = &request;
  glyph_ = request.glyph;
  box_ = request.Box();
  answer_ = TeachAnswer{};  // closing in any other way pauses
  ShowRequest(request);
  exec();
  request_ = nullptr;
  if (answer_.status == TeachStatus::Ok) {
    const auto number = static_cast<qulonglong>(request.symbolNumber);
    // Recognition adds the entry once this returns; listeners hear of it
    // when the event loop next runs.
    QTimer::singleShot(0, this, [this, number] { emit CharacterTaught(number); });
  }
  return answer_;
}

void TForm2::ShowRequest(const TeachRequest& request) {
  ui_->LabelSymbolIndex->setText("Symbol index : " + QString::number(request.symbolNumber));
  ShowForm(request);
  ui_->LabelStartTime->setText("Subtitle start : " + ToQt(ToText(request.start)));
  // A proposal (or a line's reading) stands selected, so Enter accepts it
  // and typing replaces it.
  ui_->EditCharacter->setText(ToQt(request.wholeLine ? request.reading : request.proposal));
  ui_->EditCharacter->selectAll();
  ui_->LabelNbCharValue->setText(QString::number(ui_->EditCharacter->text().size()));
}

void TForm2::ShowForm(const TeachRequest& request) {
  if (request.wholeLine != lineForm_) {
    if (request.wholeLine) {
      characterQuestion_ = ui_->LabelQuestion->text();
      characterEditWidth_ = ui_->EditCharacter->minimumWidth();
    }
    // A line is typed in a field as wide as its picture.
    ui_->EditCharacter->setMinimumWidth(request.wholeLine ? kLineImageWidth : characterEditWidth_);
    ui_->LabelQuestion->setText(request.wholeLine ? ToQt(Messages().GetMessage(kMsgTypeWholeLine))
                                                  : characterQuestion_);
    ui_->EditCharacter->setMaxLength(request.wholeLine ? static_cast<int>(kMaxLineAnswer)
                                                       : CharacterMatrix::kMaxEntryText);
    lineForm_ = request.wholeLine;
  }
  QSize area(2 * kTeachingImageWidth, 2 * kTeachingImageHeight);
  if (request.wholeLine) {
    ComposeLineTeachingImage(request, composed_);
    area = QSize(kLineImageWidth, 2 * kTeachingImageHeight);
  } else {
    ComposeTeachingImage(request, composed_);
  }
  image_ = QImage(composed_.Bits(), composed_.Width(), composed_.Height(), composed_.Stride(),
                  QImage::Format_BGR888)
               .copy();
  ui_->ImageCharacter->setMinimumSize(area);
  ui_->ImageCharacter->setMaximumSize(area);
  // Whole pixels where the picture fits twice (as a character's is shown),
  // never smoothed.
  const QSize twice = image_.size() * 2;
  const QSize shown = twice.width() <= area.width() && twice.height() <= area.height()
                          ? twice
                          : image_.size().scaled(area, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
  ui_->ImageCharacter->setPixmap(
      QPixmap::fromImage(image_.scaled(shown, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
  adjustSize();
}

void TForm2::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  ui_->EditCharacter->setFocus(Qt::OtherFocusReason);
  ui_->EditCharacter->selectAll();
  wakeUp_.Restart();
  SetRed(false);
  timerWakeUp_->start(wakeUp_.PeriodMs());
}

void TForm2::done(int result) {
  timerWakeUp_->stop();
  SetRed(false);
  QDialog::done(result);
}

void TForm2::Answer(TeachStatus status) {
  answer_.status = status;
  answer_.text = FromQt(ui_->EditCharacter->text());
  const size_t limit = lineForm_ ? kMaxLineAnswer : CharacterMatrix::kMaxEntryText;
  if (answer_.text.size() > limit) answer_.text.resize(limit);
  accept();
}

void TForm2::ButtonOKClick() {
  Answer(TeachStatus::Ok);
}

void TForm2::ButtonSkipLineClick() {
  Answer(TeachStatus::SkipLine);
}

void TForm2::ButtonSkipSubPictureClick() {
  Answer(TeachStatus::SkipSubPicture);
}

void TForm2::ButtonPauseClick() {
  // The run pauses and reads this sub-picture again from its first sector.
  Answer(TeachStatus::Pause);
}

void TForm2::ButtonChangeTextColorClick() {
  answer_.changeTextColour = true;
  Answer(TeachStatus::Pause);
  timerWatch_->start();
}

void TForm2::TimerWatchTimer() {
  if (reading_ && reading_()) return;
  timerWatch_->stop();
  if (pauseCommand_) pauseCommand_();  // continues the run
}

void TForm2::ButtonSearchMatrixClick() {
  if (matrix_ == nullptr || settings_ == nullptr) return;
  std::string text;
  if (!SearchMatchingMatrix(searchFolder_, glyph_, box_, *settings_, *matrix_, WindowBoxes(),
                            text)) {
    return;  // told so; the user may go on typing
  }
  ui_->EditCharacter->setText(ToQt(text));
  emit MatrixReplaced();
  Answer(TeachStatus::MatrixFound);
}

void TForm2::EditCharacterChange(const QString& text) {
  ui_->LabelNbCharValue->setText(QString::number(text.size()));
  if (timerWakeUp_->isActive()) timerWakeUp_->start();  // the wait begins again
}

void TForm2::TimerWakeUpTimer() {
  const WakeUpTimer::Step step = wakeUp_.Tick();
  if (step.beep) QApplication::beep();
  SetRed(step.red);
  timerWakeUp_->start(step.periodMs);
}

void TForm2::SetRed(bool red) {
  setAutoFillBackground(red);
  QPalette colours = QApplication::palette(this);
  if (red) colours.setColor(QPalette::Window, Qt::red);
  setPalette(colours);
}

}  // namespace capter
