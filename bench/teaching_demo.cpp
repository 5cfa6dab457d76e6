// A corpus title taught by hand through the teaching windows, with the wait
// a user has at each question measured: from the moment recognition meets
// an unknown character to the New Character(s) dialog being drawn, and from
// pressing OK to the next unknown character of the same sub-picture (every
// character between them recognised). The person types the answers the
// corpus's glyph labels give, key by key, and presses OK.
//
//   teaching_demo [CASE [STREAM]]    (default p02_pal_image_latin1 0)
//
// Environment: DEMO_SHOTS=DIR takes screenshots of the whole screen with
// ImageMagick's import (run under an X server) of the colour selection, the
// dialog on a small and on a large character and the matrix editor at the
// end, the first question with a proposal and OCR Advanced Setup;
// DEMO_WHOLE_GLYPHS=1 turns whole glyphs on (the colour selection then
// offers the extra text greys); DEMO_BY_CHARACTER=1 turns whole-line
// questions off (every question is one character); DEMO_DELAY_MS=N waits N ms before each
// answer (default 0);
// DEMO_MATRIX=FILE saves the taught matrix; DEMO_MANUAL=1 leaves every
// answer to whoever sits at the keyboard (or xdotool).
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QProcess>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/qt_message_boxes.h"
#include "app/run_session.h"
#include "ocr/matrix_editor.h"
#include "ocr/new_character_dialog.h"
#include "ocr/ocr_settings_dialog.h"
#include "ocr/text_colour_dialog.h"
#include "tests/gui/ocr/labelled_title.h"
#include "tests/support/corpus.h"

namespace capter {
namespace {

using testing::CorpusCase;

double Ms(qint64 ns) {
  return static_cast<double>(ns) / 1e6;
}

void Report(const char* what, std::vector<qint64> samples) {
  if (samples.empty()) return;
  std::sort(samples.begin(), samples.end());
  std::printf("%-44s n=%4zu  median %7.3f ms  p95 %7.3f ms  max %7.3f ms\n", what, samples.size(),
              Ms(samples[samples.size() / 2]), Ms(samples[samples.size() * 95 / 100]),
              Ms(samples.back()));
}

// The main window as far as the teaching windows need it: a preview.
class PreviewWindow : public QMainWindow {
 public:
  PreviewWindow() : preview_(new QLabel(this)) {
    setWindowTitle("Capter");
    preview_->setAlignment(Qt::AlignCenter);
    preview_->setStyleSheet("background: #202020");
    setCentralWidget(preview_);
    resize(420, 200);
    move(0, 0);
  }
  void Show(const Picture24& p) {
    const QImage image(p.Bits(), p.Width(), p.Height(), p.Stride(), QImage::Format_BGR888);
    preview_->setPixmap(QPixmap::fromImage(image.copy()));
  }

 private:
  QLabel* preview_;
};

void Shot(const QString& dir, const QString& name) {
  if (dir.isEmpty()) return;
  for (int i = 0; i < 5; ++i) {
    QApplication::processEvents();
    QThread::msleep(40);
  }
  QProcess::execute("import", {"-window", "root", dir + "/" + name + ".png"});
}

// Times each question on its way to the dialog.
class TimedTeacher : public CharacterTeacher {
 public:
  TimedTeacher(TForm2& dialog, RunSession& session) : dialog_(dialog), session_(session) {}
  TeachAnswer Teach(const TeachRequest& request) override {
    const qint64 now = clock.nsecsElapsed();
    const TimeCode start = session_.Dispatch().CurrentTimes().start;
    if (okAt >= 0 && start == okStart) okToNext.push_back(now - okAt);
    okAt = -1;
    askedAt = now;
    drawn = false;
    return dialog_.Teach(request);
  }
  QElapsedTimer clock;
  qint64 askedAt = -1;
  qint64 okAt = -1;
  TimeCode okStart;
  bool drawn = true;
  std::vector<qint64> metToDrawn;
  std::vector<qint64> okToNext;

 private:
  TForm2& dialog_;
  RunSession& session_;
};

class Person : public QObject {
 public:
  Person(TForm2& dialog, TForm9& colour, TimedTeacher& timer, RunSession& session,
         const testing::LabelledTitle& labels, int fill)
      : dialog_(dialog),
        colour_(colour),
        timer_(timer),
        session_(session),
        labels_(labels),
        fill_(fill) {
    dialog.installEventFilter(this);
    colour.installEventFilter(this);
    shots_ = qEnvironmentVariable("DEMO_SHOTS");
    delay_ = qEnvironmentVariableIntValue("DEMO_DELAY_MS");
    manual_ = qEnvironmentVariableIsSet("DEMO_MANUAL");
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &dialog_ && event->type() == QEvent::Paint && !timer_.drawn) {
      timer_.drawn = true;
      timer_.metToDrawn.push_back(timer_.clock.nsecsElapsed() - timer_.askedAt);
      if (!manual_) QTimer::singleShot(delay_, this, [this] { Answer(); });
    }
    if (watched == &colour_ && event->type() == QEvent::Show) {
      if (!manual_) QTimer::singleShot(delay_, this, [this] { ChooseColour(); });
    }
    return false;
  }

 private:
  void ChooseColour() {
    auto* combo = colour_.findChild<QComboBox*>("ComboBoxColor");
    combo->setCurrentIndex(fill_);
    Shot(shots_, "colour_selection");
    colour_.findChild<QPushButton*>("ButtonOK")->click();
  }

  void Answer() {
    const TeachRequest* request = dialog_.CurrentRequest();
    if (request == nullptr) return;
    const TimeCode start = session_.Dispatch().CurrentTimes().start;
    const QString text =
        request->wholeLine ? labels_.LineAnswer(*request, start) : labels_.Answer(*request, start);
    auto* edit = dialog_.findChild<QLineEdit*>("EditCharacter");
    if (!lineShot_ && request->wholeLine && request->unknownIndices.size() > 1 &&
        !request->reading.empty()) {
      lineShot_ = true;
      Shot(shots_, "teaching_whole_line");
    }
    if (!proposalShot_ && !request->proposal.empty()) {
      proposalShot_ = true;
      Shot(shots_, "teaching_proposal");
    }
    // A proposal stands selected: typing replaces it; "nothing" erases it.
    if (text.isEmpty()) {
      QKeyEvent erase(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
      QApplication::sendEvent(edit, &erase);
    }
    for (const QChar ch : text) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
      QApplication::sendEvent(edit, &press);
    }
    const int height = request->Box().Height;
    if (request->wholeLine) {
      // the line shots are taken before typing
    } else if (!smallShot_ && height <= 12 && !text.isEmpty()) {
      smallShot_ = true;
      Shot(shots_, "teaching_small_character");
    } else if (!largeShot_ && height >= 30) {
      largeShot_ = true;
      Shot(shots_, "teaching_large_character");
    }
    timer_.okStart = start;
    timer_.okAt = timer_.clock.nsecsElapsed();
    dialog_.findChild<QPushButton*>("ButtonOK")->click();
  }

  TForm2& dialog_;
  TForm9& colour_;
  TimedTeacher& timer_;
  RunSession& session_;
  const testing::LabelledTitle& labels_;
  int fill_;
  QString shots_;
  int delay_ = 0;
  bool manual_ = false;
  bool smallShot_ = false;
  bool largeShot_ = false;
  bool proposalShot_ = false;
  bool lineShot_ = false;
};

int Main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const std::string caseName = argc > 1 ? argv[1] : "p02_pal_image_latin1";
  const int stream = argc > 2 ? std::atoi(argv[2]) : 0;
  const CorpusCase c = testing::FindCorpusCase(caseName);
  const testing::LabelledTitle labels(c, stream);

  QtMessageBoxes qtBoxes;
  SteadyMillisecondClock clock;
  RunDisplay display;
  RunSession session(SessionFrontEnd{.boxes = qtBoxes, .clock = clock, .display = display});
  PreviewWindow main;
  main.show();
  TForm2 dialog(&main);
  TForm9 colour(&main);
  colour.SetMainWindow(&main);
  colour.SetPreview([&main](const Picture24& p) { main.Show(p); });
  TForm5 editor(session.Matrix(), &main);
  editor.SetMainWindow(&main);
  QObject::connect(&dialog, &TForm2::CharacterTaught, &editor, &TForm5::CatchUp);
  editor.show();

  if (qEnvironmentVariableIsSet("DEMO_WHOLE_GLYPHS")) session.Ocr().WholeGlyphs = true;
  if (qEnvironmentVariableIsSet("DEMO_BY_CHARACTER")) session.Ocr().TeachWholeLines = false;
  TimedTeacher timed(dialog, session);
  Person person(dialog, colour, timed, session, labels, c.streams.at(stream).pixelCodes[1]);
  session.UseRecognition(timed, colour);
  session.Recognition()->SetPreview([&main](const Picture24& p) { main.Show(p); });

  timed.clock.start();
  const JobRequest request{.files = c.vobFiles,
                           .streamIndex = stream,
                           .action = RunAction::Recognise,
                           .addTimingEntries = false,
                           .outputPath = {}};
  QElapsedTimer whole;
  whole.start();
  const bool finished = session.Execute(request, kZeroTimeCode);
  const qint64 total = whole.nsecsElapsed();
  QApplication::processEvents();
  editor.CatchUp();
  Shot(qEnvironmentVariable("DEMO_SHOTS"), "matrix_editor");
  if (qEnvironmentVariableIsSet("DEMO_SHOTS")) {
    TForm4 setup(session.Ocr(), "", &main);
    setup.show();
    Shot(qEnvironmentVariable("DEMO_SHOTS"), "ocr_advanced_setup");
  }
  if (qEnvironmentVariableIsSet("DEMO_MATRIX")) {
    session.Matrix().SetFileName(qEnvironmentVariable("DEMO_MATRIX").toStdString());
    session.Matrix().Save(qtBoxes);
  }

  std::printf("%s stream %d on %s: %s, %zu questions, %u subtitles, %zu entries, %.0f ms\n",
              caseName.c_str(), stream, qPrintable(QApplication::platformName()),
              finished ? "finished" : "stopped", timed.metToDrawn.size(), session.Table().Count(),
              session.Matrix().Count(), Ms(total));
  Report("unknown character met -> dialog drawn", timed.metToDrawn);
  Report("OK pressed -> next character recognised", timed.okToNext);
  return finished ? 0 : 1;
}

}  // namespace
}  // namespace capter

int main(int argc, char* argv[]) {
  return capter::Main(argc, argv);
}
