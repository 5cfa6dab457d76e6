// A recognition run on a corpus stream read through the real teaching
// windows, without the main window: a RunSession with TForm2 as teacher,
// and a person who answers each dialog as it appears (typing into it and
// clicking its buttons) from the corpus's glyph labels.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/run_session.h"
#include "ocr/new_character_dialog.h"
#include "ocr/text_colour_chooser.h"
#include "ocr/text_colour_dialog.h"
#include "tests/gui/ocr/labelled_title.h"
#include "tests/support/corpus.h"
#include "tests/support/scripted_message_boxes.h"

namespace capter::testing {

// What the person did at one question.
struct Question {
  TimeCode start;     // of the sub-picture
  int line = 0;       // from 0
  size_t index = 0;   // of the character in its line, from 0
  size_t symbol = 0;  // the symbol index the dialog showed
  CharBox box;
  bool frameRed = false;   // the frame sits one pixel outside the character
  bool wholeLine = false;  // the question was about the whole line
  QString typed;
};

class TeachingRun : public QObject {
 public:
  // Stream `streamIndex` of `c`; the colour chooser answers the stream's
  // fill code unless another one is set with SetChooser.
  TeachingRun(const CorpusCase& c, int streamIndex);
  ~TeachingRun() override;

  RunSession& Session() { return session_; }
  TForm2& Dialog() { return dialog_; }
  ScriptedMessageBoxes& Boxes() { return boxes_; }
  const LabelledTitle& Labels() const { return labels_; }
  void SetChooser(TextColourChooser& chooser);
  // Whole-line questions (off unless turned on: the person answers
  // character by character).
  void SetWholeLines(bool on) { session_.Ocr().TeachWholeLines = on; }
  // Asks the text colour in `dialog`, where the person selects the
  // stream's fill code and presses OK.
  void UseColourDialog(TForm9& dialog);
  int colourQuestions = 0;

  // Reacts to a shown dialog; the default types the labelled answer and
  // presses OK.
  using Reaction = std::function<void(TForm2&, const Question&)>;
  void SetReaction(Reaction reaction) { reaction_ = std::move(reaction); }
  static void TypeAndPressOk(TForm2& dialog, const QString& text);
  void Click(TForm2& dialog, const char* buttonName);

  // Reads the whole stream (or until the run pauses): true when finished.
  bool Execute();
  // Continue after a pause, read on.
  bool Continue();
  // The text as saved, in the own format.
  std::string Text();

  std::vector<Question> questions;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void React();
  void ChooseFillCode();

  CorpusCase case_;
  int stream_;
  ScriptedMessageBoxes boxes_;
  SteadyMillisecondClock clock_;
  RunDisplay display_;
  RunSession session_;
  TForm2 dialog_;
  TForm9* colourDialog_ = nullptr;
  LabelledTitle labels_;
  std::unique_ptr<TextColourChooser> fillCode_;
  TextColourChooser* chooser_;
  Reaction reaction_;
};

// The same stream read by "capter-cli ocr --teach" with `answers` typed one
// per line (UTF-8): the text it writes.
std::string CliText(const CorpusCase& c, int streamIndex, const std::vector<QString>& answers,
                    int textColour, bool wholeLines = false);

}  // namespace capter::testing
