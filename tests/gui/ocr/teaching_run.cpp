#include "tests/gui/ocr/teaching_run.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <sstream>

#include "app/qt_message_boxes.h"
#include "cli/ocr_command.h"
#include "ocr/teaching_image.h"

namespace capter::testing {

namespace {

class FixedChooser : public TextColourChooser {
 public:
  explicit FixedChooser(int code) : code_(static_cast<uint8_t>(code)) {}
  std::optional<uint8_t> ChooseTextColour(const Picture24&, TextColourState&) override {
    return code_;
  }

 private:
  uint8_t code_;
};

// Whether the composed picture's frame lies one pixel outside the box: the
// four corners are the frame colour.
bool FrameAroundBox(const TForm2& dialog, const TeachRequest& request) {
  const QImage& image = dialog.TeachingImage();
  const CharBox& box = request.Box();
  int lineTop = request.Line().top;
  int lineEnd = 0;
  for (const CharBox& b : request.Line().boxes) {
    if (b.TopOffset == 0) lineTop = b.Top;
    lineEnd = std::max(lineEnd, b.Top + b.Height);
  }
  const int xoff = box.Width < kTeachingImageWidth ? (kTeachingImageWidth - box.Width) / 2 : 0;
  const int yoff = (kTeachingImageHeight - (lineEnd - lineTop + 1)) / 2;
  const QRect frame(QPoint(xoff - 1, yoff + box.TopOffset - 1),
                    QPoint(xoff + box.Width, yoff + box.TopOffset + box.Height));
  const QColor red(255, 51, 51);
  for (const QPoint& p :
       {frame.topLeft(), frame.topRight(), frame.bottomLeft(), frame.bottomRight()}) {
    if (image.valid(p) && image.pixelColor(p) != red) return false;
  }
  // Inside the frame's corner, the character's own box is not painted over.
  return !image.valid(frame.topLeft() + QPoint(1, 1)) ||
         image.pixelColor(frame.topLeft() + QPoint(1, 1)) != red;
}

}  // namespace

TeachingRun::TeachingRun(const CorpusCase& c, int streamIndex)
    : case_(c),
      stream_(streamIndex),
      session_(SessionFrontEnd{.boxes = boxes_, .clock = clock_, .display = display_}),
      labels_(c, streamIndex),
      fillCode_(std::make_unique<FixedChooser>(c.streams.at(streamIndex).pixelCodes[1])),
      chooser_(fillCode_.get()) {
  SetWindowBoxes(&boxes_);
  // The person here answers character by character.
  session_.Ocr().TeachWholeLines = false;
  session_.UseRecognition(dialog_, *chooser_);
  dialog_.installEventFilter(this);
  reaction_ = [this](TForm2& dialog, const Question& q) { TypeAndPressOk(dialog, q.typed); };
}

TeachingRun::~TeachingRun() {
  SetWindowBoxes(nullptr);
}

void TeachingRun::SetChooser(TextColourChooser& chooser) {
  chooser_ = &chooser;
  session_.UseRecognition(dialog_, *chooser_);
}

void TeachingRun::UseColourDialog(TForm9& dialog) {
  colourDialog_ = &dialog;
  dialog.installEventFilter(this);
  SetChooser(dialog);
}

bool TeachingRun::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &dialog_ && event->type() == QEvent::Show) {
    QTimer::singleShot(0, this, [this] { React(); });
  }
  if (watched == colourDialog_ && event->type() == QEvent::Show) {
    QTimer::singleShot(0, this, [this] { ChooseFillCode(); });
  }
  return QObject::eventFilter(watched, event);
}

void TeachingRun::React() {
  const TeachRequest* request = dialog_.CurrentRequest();
  if (request == nullptr) return;
  Question q;
  q.start = session_.Dispatch().CurrentTimes().start;
  q.line = request->lineIndex;
  q.index = request->index;
  q.symbol = dialog_.findChild<QLabel*>("LabelSymbolIndex")->text().section(' ', -1).toULong();
  q.box = request->Box();
  q.wholeLine = request->wholeLine;
  q.frameRed = !q.wholeLine && FrameAroundBox(dialog_, *request);
  q.typed = q.wholeLine ? labels_.LineAnswer(*request, q.start) : labels_.Answer(*request, q.start);
  questions.push_back(q);
  reaction_(dialog_, questions.back());
}

void TeachingRun::ChooseFillCode() {
  ++colourQuestions;
  auto* combo = colourDialog_->findChild<QComboBox*>("ComboBoxColor");
  const int fill = case_.streams.at(stream_).pixelCodes[1];
  // Down or up through the list until the fill code's colour is selected.
  while (combo->currentIndex() != fill) {
    QTest::keyClick(combo, combo->currentIndex() < fill ? Qt::Key_Down : Qt::Key_Up);
  }
  QTest::mouseClick(colourDialog_->findChild<QPushButton*>("ButtonOK"), Qt::LeftButton);
}

void TeachingRun::TypeAndPressOk(TForm2& dialog, const QString& text) {
  auto* edit = dialog.findChild<QLineEdit*>("EditCharacter");
  // A proposal stands selected: typing replaces it, and an empty answer
  // first erases it, as a person would.
  if (text.isEmpty()) QTest::keyClick(edit, Qt::Key_Backspace);
  // Key by key, as typed; accented letters arrive as text without a key
  // code, as a keyboard layout delivers them.
  for (const QChar ch : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(edit, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(edit, &release);
  }
  QTest::mouseClick(dialog.findChild<QPushButton*>("ButtonOK"), Qt::LeftButton);
}

void TeachingRun::Click(TForm2& dialog, const char* buttonName) {
  QTest::mouseClick(dialog.findChild<QPushButton*>(buttonName), Qt::LeftButton);
}

bool TeachingRun::Execute() {
  const JobRequest request{.files = case_.vobFiles,
                           .streamIndex = stream_,
                           .action = RunAction::Recognise,
                           .addTimingEntries = false,
                           .outputPath = {}};
  return session_.Execute(request, kZeroTimeCode);
}

bool TeachingRun::Continue() {
  session_.Run().PauseClick();
  session_.Run().RunToEnd();
  return session_.Run().State() == RunState::Idle;
}

std::string TeachingRun::Text() {
  return FinalText(session_.Text());
}

std::string CliText(const CorpusCase& c, int streamIndex, const std::vector<QString>& answers,
                    int textColour, bool wholeLines) {
  std::vector<std::string> args = {"--stream",
                                   std::to_string(streamIndex + 1),
                                   "--matrix",
                                   "/nonexistent/matrix.sum",
                                   "--teach",
                                   "--teach-whole-lines",
                                   wholeLines ? "on" : "off",
                                   "--text-colour",
                                   std::to_string(textColour)};
  args.insert(args.end(), c.vobFiles.begin(), c.vobFiles.end());
  std::string typed;
  for (const QString& answer : answers) typed += answer.toStdString() + "\n";
  std::istringstream in(typed);
  std::ostringstream out;
  std::ostringstream err;
  const int code = cli::RunOcrCommand(args, in, out, err);
  if (code != 0) return "capter-cli failed: " + err.str();
  return out.str();
}

}  // namespace capter::testing
