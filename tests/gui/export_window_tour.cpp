// Shows the export windows on a real show-only run for a look at them: a
// stand-in preview of the 720 x 576 frame, the bitmap adjustment window on
// each of its pages and in compact mode, then the progression controller.
// Each stage is captured with ImageMagick's `import` from the X display into
// the folder given as the first argument. Not a test; run under Xvfb.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <cstdlib>
#include <string>

#include "app/run_session.h"
#include "export/bitmap_adjustment_dialog.h"
#include "export/progression_controller.h"
#include "tests/gui/export_window_driver.h"
#include "tests/support/corpus.h"
#include "tests/support/scripted_message_boxes.h"

namespace {

using namespace capter;

class FramePreview : public QLabel, public PicturePreview {
 public:
  FramePreview() {
    setWindowTitle("Preview");
    setFixedSize(720, 576);
    ShowImage(QImage(), Rect{});
  }
  void ShowPicture(const Picture24& picture, const Rect& area) override {
    QImage image(picture.Width(), picture.Height(), QImage::Format_RGB32);
    for (int y = 0; y < picture.Height(); ++y) {
      for (int x = 0; x < picture.Width(); ++x) {
        const Colour c = picture.Pixel(x, y);
        image.setPixel(x, y, qRgb(RedOf(c), GreenOf(c), BlueOf(c)));
      }
    }
    ShowImage(image, area);
  }
  void ShowPicture(const PalettedPicture& picture, const Rect& area) override {
    QImage image(picture.Width(), picture.Height(), QImage::Format_RGB32);
    for (int y = 0; y < picture.Height(); ++y) {
      for (int x = 0; x < picture.Width(); ++x) {
        const Colour c = picture.palette[picture.Index(x, y)];
        image.setPixel(x, y, qRgb(RedOf(c), GreenOf(c), BlueOf(c)));
      }
    }
    ShowImage(image, area);
  }

 private:
  void ShowImage(const QImage& image, const Rect& area) {
    QPixmap frame(720, 576);
    frame.fill(QColor(0x8B, 0x6F, 0x6D));
    QPainter painter(&frame);
    painter.fillRect(0, 72, 720, 432, QColor(0xBB, 0xBA, 0xC7));
    if (!image.isNull()) painter.drawImage(area.x1, area.y1, image);
    painter.end();
    setPixmap(frame);
  }
};

class StepClock : public MillisecondClock {
 public:
  int64_t Now() override { return now += 3; }
  int64_t now = 0;
};

void Settle(int ms) {
  QTimer wait;
  wait.setSingleShot(true);
  wait.start(ms);
  while (wait.isActive()) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

void Capture(const std::string& folder, const std::string& name) {
  Settle(400);
  const std::string command = "import -window root '" + folder + "/" + name + ".png'";
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const std::string folder = argc > 1 ? argv[1] : ".";
  testing::ScriptedMessageBoxes boxes;
  StepClock clock;
  RunDisplay display;
  FramePreview preview;
  TForm18 adjustment;
  TForm11 progression;
  RunSession session(SessionFrontEnd{.boxes = boxes,
                                     .clock = clock,
                                     .display = display,
                                     .preview = &preview,
                                     .adjustment = &adjustment,
                                     .progression = &progression});
  adjustment.Attach(session);
  adjustment.SetPreview(&preview);
  progression.Attach(session);
  progression.SetAdjustment(&adjustment);
  preview.move(0, 0);
  preview.show();

  testing::OnEveryShow adjust(adjustment, [&](int) {
    adjustment.move(20, 590);
    Settle(300);
    auto* pages = adjustment.findChild<QTabWidget*>("PageControl1");
    for (int page = 0; page < pages->count(); ++page) {
      pages->setCurrentIndex(page);
      Capture(folder, "adjustment_" + pages->widget(page)->objectName().toStdString());
    }
    auto* reduce = adjustment.findChild<QPushButton*>("ButtonReduceWindow");
    reduce->click();
    Capture(folder, "adjustment_compact");
    reduce->click();
    adjustment.findChild<QPushButton*>("BitBtn1")->click();
  });
  testing::OnEveryShow hold(progression, [&](int) {
    progression.move(740, 40);
    Capture(folder, "progression_controller");
    progression.findChild<QPushButton*>("ButtonNoStop")->click();
  });
  adjustment.SetAskAgain(true);
  const JobRequest request{.files = testing::FindCorpusCase("p01_pal_text_dejavu").vobFiles,
                           .streamIndex = 0,
                           .action = RunAction::ShowOnly,
                           .addTimingEntries = false,
                           .outputPath = ""};
  session.Execute(request, kZeroTimeCode);
  return 0;
}
