// The teaching dialog on real corpus runs: every unknown shape is asked
// with its symbol index and frame, a person's answers give the same text as
// capter-cli with the same answers, and the dialog's other buttons steer the
// run as documented.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <filesystem>

#include "app/radio_group.h"
#include "ocr/matrix_editor.h"

#include "ocr/matrix_search.h"
#include "tests/gui/ocr/teaching_run.h"

namespace capter::testing {
namespace {

namespace fs = std::filesystem;

std::vector<QString> Typed(const std::vector<Question>& questions) {
  std::vector<QString> typed;
  for (const Question& q : questions) typed.push_back(q.typed);
  return typed;
}

TEST(TeachingDialogRun, WholeTitleTaughtByHandGivesTheCommandLineText) {
  const CorpusCase c = FindCorpusCase("p02_pal_image_latin1");
  TeachingRun run(c, 0);
  TForm9 colour;
  run.UseColourDialog(colour);
  // The matrix editor, open beside the run, lists each taught shape.
  TForm5 editor(run.Session().Matrix());
  editor.findChild<RadioGroup*>("RadioGroupSort")->SetItemIndex(1);
  QObject::connect(&run.Dialog(), &TForm2::CharacterTaught, &editor, &TForm5::CatchUp);
  ASSERT_TRUE(run.Execute());
  EXPECT_EQ(run.colourQuestions, 1);  // once per job
  QApplication::processEvents();
  EXPECT_EQ(editor.Order().size(), run.Session().Matrix().Count());

  ASSERT_FALSE(run.questions.empty());
  size_t expectedSymbol = 1;
  size_t answered = 0;
  for (const Question& q : run.questions) {
    EXPECT_EQ(q.symbol, expectedSymbol) << "question " << answered;
    EXPECT_TRUE(q.frameRed) << "question " << answered;
    ++expectedSymbol;  // every answer was OK, so every shape was added
    ++answered;
  }
  EXPECT_EQ(run.Session().Matrix().Count(), run.questions.size());

  const std::string gui = run.Text();
  EXPECT_EQ(gui, CliText(c, 0, Typed(run.questions), c.streams[0].pixelCodes[1]));
  // A person's answers read the title's words.
  EXPECT_NE(gui.find("Montr\xE9"
                     "al."),
            std::string::npos);
}

// Whole lines typed by hand: far fewer questions than shapes taught, and the
// same text as capter-cli given the same answers.
TEST(TeachingDialogRun, WholeLinesTaughtByHandGiveTheCommandLineText) {
  const CorpusCase c = FindCorpusCase("p07_pal_dialogue_serif");
  TeachingRun run(c, 0);
  run.SetWholeLines(true);
  ASSERT_TRUE(run.Execute());
  const size_t lines = static_cast<size_t>(std::count_if(
      run.questions.begin(), run.questions.end(), [](const Question& q) { return q.wholeLine; }));
  EXPECT_GT(lines, 0u);
  EXPECT_LT(2 * run.questions.size(), run.Session().Matrix().Count());
  const std::string gui = run.Text();
  EXPECT_EQ(gui, CliText(c, 0, Typed(run.questions), c.streams[0].pixelCodes[1], true));
  EXPECT_NE(gui.find("Sit down, Mr. Hollis. Coffee?"), std::string::npos) << gui;
}

TEST(TeachingDialogRun, SkipThisLineDropsOnlyThatLine) {
  const CorpusCase c = FindCorpusCase("p04_pal_five_streams");
  TeachingRun run(c, 0);
  // Every question about a second line is skipped.
  run.SetReaction([&run](TForm2& dialog, const Question& q) {
    if (q.line == 1) {
      run.Click(dialog, "ButtonSkipLine");
    } else {
      run.TypeAndPressOk(dialog, q.typed);
    }
  });
  ASSERT_TRUE(run.Execute());
  const std::vector<ExpectedSubtitle> truth = ReadExpectedSubtitles(c.streams[0].exactFile);
  const SubtitleTable& table = run.Session().Table();
  ASSERT_EQ(table.Count(), truth.size());
  size_t skippedSubtitles = 0;
  for (uint16_t i = 1; i <= table.Count(); ++i) {
    const SubtitleRecord& entry = table.At(i);
    bool skipped = false;
    for (const Question& q : run.questions) skipped |= q.line == 1 && q.start == entry.start;
    if (!skipped) continue;
    ++skippedSubtitles;
    // The first line is still read; the second one is gone.
    EXPECT_EQ(entry.lineCount, 1) << i;
    EXPECT_FALSE(entry.lines[0].empty()) << i;
  }
  EXPECT_GT(skippedSubtitles, 0u);
}

TEST(TeachingDialogRun, SkipThisSubPictureHandsNothingOn) {
  const CorpusCase c = FindCorpusCase("p04_pal_five_streams");
  TeachingRun run(c, 0);
  const std::vector<ExpectedSubtitle> truth = ReadExpectedSubtitles(c.streams[0].exactFile);
  const TimeCode skipped = truth[2].start;
  run.SetReaction([&](TForm2& dialog, const Question& q) {
    if (q.start == skipped) {
      run.Click(dialog, "ButtonSkipSubPicture");
    } else {
      run.TypeAndPressOk(dialog, q.typed);
    }
  });
  ASSERT_TRUE(run.Execute());
  const SubtitleTable& table = run.Session().Table();
  EXPECT_EQ(table.Count(), truth.size() - 1);
  for (uint16_t i = 1; i <= table.Count(); ++i) EXPECT_NE(table.At(i).start, skipped);
}

// Pauses at the second question about subtitle `subtitle` (from 0), or at
// the first when it has only one, continues, and checks that the same
// sub-picture comes back from its first unknown character.
void CheckPauseComesBack(const char* caseName, size_t subtitle) {
  const CorpusCase c = FindCorpusCase(caseName);
  TeachingRun plain(c, 0);
  ASSERT_TRUE(plain.Execute());
  const TimeCode start = ReadExpectedSubtitles(c.streams[0].exactFile)[subtitle].start;
  size_t asksAbout = 0;
  for (const Question& q : plain.questions) asksAbout += q.start == start ? 1 : 0;
  ASSERT_GT(asksAbout, 0u);

  TeachingRun run(c, 0);
  size_t seen = 0;
  bool paused = false;
  run.SetReaction([&](TForm2& dialog, const Question& q) {
    if (!paused && q.start == start && ++seen == std::min<size_t>(asksAbout, 2)) {
      paused = true;
      run.Click(dialog, "ButtonPause");
    } else {
      run.TypeAndPressOk(dialog, q.typed);
    }
  });
  EXPECT_FALSE(run.Execute());
  ASSERT_TRUE(paused);
  const size_t pausedAt = run.questions.size() - 1;
  EXPECT_EQ(run.Session().Run().State(), RunState::Paused);

  EXPECT_TRUE(run.Continue());
  // What was taught before the pause is known now: the paused shape is the
  // first one asked again.
  ASSERT_GT(run.questions.size(), pausedAt + 1);
  const Question& again = run.questions[pausedAt + 1];
  EXPECT_EQ(again.start, start);
  EXPECT_EQ(again.box, run.questions[pausedAt].box);
  EXPECT_EQ(run.Text(), plain.Text());
  EXPECT_EQ(run.Session().Table().Count(), plain.Session().Table().Count());
}

TEST(TeachingDialogRun, PauseReadsTheSameSubPictureAgainFromItsFirstCharacter) {
  CheckPauseComesBack("p04_pal_five_streams", 1);
}

TEST(TeachingDialogRun, PauseOnASubPictureThatBeganInTheFileBeforeReadsItAgain) {
  CheckPauseComesBack("p05_ntsc_split3", 6);  // subtitle 7 spans the first two files
}

TEST(TeachingDialogRun, ChangeTextColorAsksTheColourAgainForTheSameSubPicture) {
  const CorpusCase c = FindCorpusCase("p04_pal_five_streams");
  TeachingRun plain(c, 0);
  ASSERT_TRUE(plain.Execute());

  TeachingRun run(c, 0);
  TForm9 colour;
  run.UseColourDialog(colour);
  ExtractionRun& engine = run.Session().Run();
  run.Dialog().SetRunControl([&engine] { return engine.Job().busy; },
                             [&engine] { engine.PauseClick(); });
  bool changed = false;
  run.SetReaction([&](TForm2& dialog, const Question& q) {
    if (!changed && q.index == 2) {
      changed = true;
      run.Click(dialog, "ButtonChangeTextColor");
    } else {
      run.TypeAndPressOk(dialog, q.typed);
    }
  });
  EXPECT_FALSE(run.Execute());
  ASSERT_TRUE(changed);
  const size_t askedAt = run.questions.size() - 1;
  const Question asked = run.questions.back();
  EXPECT_EQ(run.colourQuestions, 1);
  EXPECT_FALSE(run.Session().Colour().Chosen());

  // The watch timer continues the run once it has left its read loop; the
  // main window's timer then reads on.
  EXPECT_TRUE(QTest::qWaitFor([&] { return engine.State() != RunState::Paused; }, 2000));
  engine.RunToEnd();
  EXPECT_EQ(engine.State(), RunState::Idle);
  EXPECT_EQ(run.colourQuestions, 2);
  // The same character of the same sub-picture is asked again.
  const auto again = std::find_if(
      run.questions.begin() + static_cast<std::ptrdiff_t>(askedAt) + 1, run.questions.end(),
      [&](const Question& q) { return q.box == asked.box && q.start == asked.start; });
  EXPECT_NE(again, run.questions.end());
  EXPECT_EQ(run.Text(), plain.Text());
}

TEST(TeachingDialogRun, SearchLoadsAMatchingMatrixFromTheFolder) {
  const CorpusCase c = FindCorpusCase("p04_pal_five_streams");
  const fs::path folder =
      fs::temp_directory_path() / ("capter_gui_search_" + std::to_string(::getpid())) / "ChMatrix";
  fs::remove_all(folder.parent_path());
  fs::create_directories(folder);

  std::string taughtText;
  size_t taughtCount = 0;
  {
    TeachingRun teach(c, 0);
    ASSERT_TRUE(teach.Execute());
    taughtText = teach.Text();
    CharacterMatrix& m = teach.Session().Matrix();
    taughtCount = m.Count();
    m.SetFileName((folder / "b_taught.sum").string());
    ASSERT_TRUE(m.Save(teach.Boxes()));
  }
  // A file that does not know the shape is passed over.
  {
    CharacterMatrix other;
    ScriptedMessageBoxes quiet;
    MatrixEntry dot;
    dot.glyph.Width = dot.glyph.Height = 1;
    dot.glyph.SetPixel(0, 0, true);
    dot.text = ".";
    other.Add(dot, quiet);
    other.SetFileName((folder / "a_other.sum").string());
    ASSERT_TRUE(other.Save(quiet));
  }

  TeachingRun run(c, 0);
  run.Boxes() = ScriptedMessageBoxes({Answer::Yes});
  QSignalSpy replaced(&run.Dialog(), &TForm2::MatrixReplaced);
  run.Dialog().SetMatrixSearch(&run.Session().Matrix(), &run.Session().Ocr(),
                               folder.string() + "/");
  run.SetReaction(
      [&](TForm2& dialog, const Question&) { run.Click(dialog, "ButtonSearchMatrix"); });
  ASSERT_TRUE(run.Execute());

  ASSERT_EQ(run.questions.size(), 1u);  // the found matrix knows every shape
  EXPECT_EQ(replaced.count(), 1);
  ASSERT_EQ(run.Boxes().asked.size(), 1u);
  EXPECT_NE(run.Boxes().asked[0].text.find("\"b_taught.sum\""), std::string::npos);
  EXPECT_EQ(run.Session().Matrix().Count(), taughtCount);
  EXPECT_FALSE(run.Session().Matrix().Modified());
  EXPECT_EQ(run.Text(), taughtText);
  fs::remove_all(folder.parent_path());
}

TEST(TeachingDialogRun, SearchInAnEmptyFolderSaysSoAndKeepsTheDialogOpen) {
  const CorpusCase c = FindCorpusCase("p04_pal_five_streams");
  const fs::path folder =
      fs::temp_directory_path() / ("capter_gui_search_empty_" + std::to_string(::getpid()));
  fs::remove_all(folder);
  TeachingRun run(c, 0);
  run.Dialog().SetMatrixSearch(&run.Session().Matrix(), &run.Session().Ocr(),
                               folder.string() + "/");
  bool searched = false;
  run.SetReaction([&](TForm2& dialog, const Question& q) {
    if (!searched) {
      searched = true;
      run.Click(dialog, "ButtonSearchMatrix");
      EXPECT_TRUE(dialog.isVisible());
    }
    run.TypeAndPressOk(dialog, q.typed);
  });
  ASSERT_TRUE(run.Execute());
  ASSERT_FALSE(run.Boxes().asked.empty());
  EXPECT_EQ(run.Boxes().asked[0].kind, MessageKind::Information);
  EXPECT_EQ(run.Boxes().asked[0].text.rfind("Can't find any matching Char Matrix File.", 0), 0u);
  EXPECT_EQ(run.Session().Matrix().Count(), run.questions.size());
}

}  // namespace
}  // namespace capter::testing
