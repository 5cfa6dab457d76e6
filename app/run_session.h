// One session of the program: everything a run is made of (the run engine,
// the subtitle table and its text model, the dispatch by action, the
// character matrix with the recognition settings and text colour, the bitmap
// export settings), wired in one order. The desktop program and capter-cli
// both build their runs here and only supply the front end: message boxes,
// a clock, a display and, for recognition, a teacher and a colour chooser.
#pragma once

#include <memory>
#include <string>

#include "app/run_dispatch.h"
#include "base/message_box.h"
#include "export/bmp_export_settings.h"
#include "ocr/character_matrix.h"
#include "ocr/character_teacher.h"
#include "ocr/ocr_settings.h"
#include "ocr/recogniser.h"
#include "ocr/text_colour.h"
#include "ocr/text_colour_chooser.h"
#include "stream/extraction_run.h"
#include "stream/subtitle_table.h"
#include "text/subtitle_text_model.h"

namespace capter {

// What a front end lends the session for its whole life.
struct SessionFrontEnd {
  MessageBoxes& boxes;
  MillisecondClock& clock;
  RunDisplay& display;
  PicturePreview* preview = nullptr;
  BitmapAdjustment* adjustment = nullptr;
  ProgressionControl* progression = nullptr;
};

class RunSession {
 public:
  explicit RunSession(SessionFrontEnd frontEnd);

  ExtractionRun& Run() { return run_; }
  const ExtractionRun& Run() const { return run_; }
  SubtitleTable& Table() { return table_; }
  SubtitleTextModel& Text() { return text_; }
  RunDispatch& Dispatch() { return dispatch_; }
  BmpExportSettings& BmpSettings() { return bmpSettings_; }
  ColourRoles& Roles() { return roles_; }
  CharacterMatrix& Matrix() { return matrix_; }
  OcrSettings& Ocr() { return ocr_; }
  TextColourState& Colour() { return colour_; }
  MessageBoxes& Boxes() { return frontEnd_.boxes; }

  // Recognition runs ask unknown characters of `teacher` and the text
  // colour of `chooser`; both outlive the session or a later call.
  void UseRecognition(CharacterTeacher& teacher, TextColourChooser& chooser);
  Recogniser* Recognition() { return recogniser_.get(); }

  // Sets up a job whose title's first pack is shown at `startTime`; the
  // caller's timer (or RunToEnd) then reads it.
  void StartJob(const JobRequest& request, const TimeCode& startTime);
  // StartJob and read to the end. False when the run stopped early (it was
  // paused).
  bool Execute(const JobRequest& request, const TimeCode& startTime);
  // Whether the files held any packet of the job's stream.
  bool StreamFound() const;

 private:
  SessionFrontEnd frontEnd_;
  ExtractionRun run_;
  SubtitleTable table_;
  SubtitleTextModel text_;
  BmpExportSettings bmpSettings_;
  ColourRoles roles_;
  CharacterMatrix matrix_;
  OcrSettings ocr_;
  TextColourState colour_;
  RunDispatch dispatch_;
  std::unique_ptr<Recogniser> recogniser_;
};

// The whole text in the model's format, header included, as a save writes
// it.
std::string FinalText(SubtitleTextModel& text);

}  // namespace capter
