// One extraction run of the command-line tool: the run engine, its dispatch
// by action, the subtitle text it fills and the terminal's progress line,
// with the message boxes answered by a fixed policy.
#pragma once

#include <ostream>
#include <string>

#include "app/run_dispatch.h"
#include "cli/policy_message_boxes.h"
#include "cli/terminal_progress.h"
#include "export/bmp_export_settings.h"
#include "stream/extraction_run.h"
#include "stream/subtitle_table.h"
#include "text/subtitle_text_model.h"

namespace capter::cli {

class RunSession {
 public:
  // The progress line is drawn only with `showProgress`.
  RunSession(std::ostream& err, bool showProgress);

  SubtitleTextModel& Text() { return text_; }
  RunDispatch& Dispatch() { return dispatch_; }
  BmpExportSettings& BmpSettings() { return bmpSettings_; }
  PolicyMessageBoxes& Boxes() { return boxes_; }
  TerminalProgress& Progress() { return display_; }

  // Reads the job's files to the end, with the title's first pack shown at
  // `startTime`. False when the run stopped early (it was paused).
  bool Execute(const JobRequest& request, const TimeCode& startTime);
  // Whether the files held any packet of the job's stream.
  bool StreamFound() const;

 private:
  PolicyMessageBoxes boxes_;
  SteadyMillisecondClock clock_;
  TerminalProgress display_;
  ExtractionRun run_;
  SubtitleTable table_;
  SubtitleTextModel text_;
  BmpExportSettings bmpSettings_;
  RunDispatch dispatch_;
};

// The whole text in the model's format, header included, as a save
// writes it.
std::string FinalText(SubtitleTextModel& text);

// Whether the stream is a terminal (the progress line is drawn only there).
bool IsTerminal(const std::ostream& stream);

// Writes `bytes` to `path` (atomically) or, for an empty path or "-", to
// `out`.
// False, with a message, when the file cannot be written.
bool WriteOutput(const std::string& path, const std::string& bytes, std::ostream& out,
                 std::ostream& err);

}  // namespace capter::cli
