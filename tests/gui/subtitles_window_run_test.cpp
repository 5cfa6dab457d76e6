// The Subtitles window during a real recognition run over a corpus title:
// every subtitle is appended as it comes without resetting the list, late
// stop times are patched in place, and the window saves what the
// command-line tool writes for the same run.
#include <QLabel>
#include <QSignalSpy>
#include <fstream>
#include <iterator>

#include "app/run_session.h"
#include "ocr/text_colour_chooser.h"
#include "tests/gui/text_window_support.h"
#include "tests/support/corpus.h"

namespace capter {
namespace {

class SteppingClock : public MillisecondClock {
 public:
  int64_t Now() override { return now += 3; }
  int64_t now = 0;
};

// Teaches every unknown shape as "x".
class LetterTeacher : public CharacterTeacher {
 public:
  TeachAnswer Teach(const TeachRequest&) override { return {TeachStatus::Ok, "x", false}; }
};

TEST(SubtitlesWindowRun, ListsEachSubtitleAsTheRunProducesIt) {
  testing::ScriptedMessageBoxes boxes;
  SteppingClock clock;
  RunDisplay display;
  RunSession session({.boxes = boxes, .clock = clock, .display = display});
  LetterTeacher teacher;
  DetectedTextColourChooser chooser;
  session.UseRecognition(teacher, chooser);
  Configuration configuration = DefaultConfiguration("/nowhere/");
  TForm3 window(session.Text(), configuration, nullptr);
  window.show();
  auto* list = window.findChild<QAbstractItemView*>("ListBoxSubtitle");
  QSignalSpy resets(list->model(), &QAbstractItemModel::modelReset);
  QSignalSpy inserts(list->model(), &QAbstractItemModel::rowsInserted);

  const testing::CorpusCase title = testing::FindCorpusCase("p05_ntsc_split3");
  JobRequest request;
  request.files = title.vobFiles;
  ASSERT_TRUE(session.Execute(request, kZeroTimeCode));

  const uint16_t count = session.Table().Count();
  EXPECT_EQ(count, testing::ReadExpectedSubtitles(title.streams[0].exactFile).size());
  EXPECT_EQ(resets.count(), 0);
  EXPECT_GE(inserts.count(), count);
  EXPECT_EQ(window.findChild<QLabel*>("LabelNbSubTitle")->text(), QString::number(count));
  EXPECT_EQ(list->currentIndex().row(), list->model()->rowCount() - 1);

  std::vector<std::string> rows;
  for (int r = 0; r < list->model()->rowCount(); ++r) {
    rows.push_back(FromQt(list->model()->index(r, 0).data().toString()));
  }
  EXPECT_EQ(rows, session.Text().Lines());
  // The patched stop times leave the list as a full rendering gives it.
  const std::string final = FinalText(session.Text());
  std::string listed;
  for (const std::string& row : rows) listed += row + "\r\n";
  EXPECT_EQ(listed, final);
}

}  // namespace
}  // namespace capter
