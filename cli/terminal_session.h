// The command-line tool's front end to a run session: message boxes
// answered by a fixed policy, the steady clock and the terminal's progress
// line.
#pragma once

#include <ostream>
#include <string>

#include "app/run_session.h"
#include "cli/policy_message_boxes.h"
#include "cli/terminal_progress.h"

namespace capter::cli {

class TerminalSession {
 public:
  // The progress line is drawn only with `showProgress`.
  TerminalSession(std::ostream& err, bool showProgress);

  RunSession& Session() { return session_; }
  SubtitleTextModel& Text() { return session_.Text(); }
  RunDispatch& Dispatch() { return session_.Dispatch(); }
  BmpExportSettings& BmpSettings() { return session_.BmpSettings(); }
  PolicyMessageBoxes& Boxes() { return boxes_; }
  TerminalProgress& Progress() { return display_; }

  // Reads the job's files to the end; false when the run stopped early.
  bool Execute(const JobRequest& request, const TimeCode& startTime);
  bool StreamFound() const { return session_.StreamFound(); }
  // The summary line of what the run passed over (damaged packs and units,
  // a unit cut off at the end), "capter-cli COMMAND: passed over: ...";
  // nothing when the title read cleanly.
  void ReportDamage(const std::string& command, std::ostream& err);

 private:
  PolicyMessageBoxes boxes_;
  SteadyMillisecondClock clock_;
  TerminalProgress display_;
  RunSession session_;
};

// Whether the stream is a terminal (the progress line is drawn only there).
bool IsTerminal(const std::ostream& stream);

// Writes `bytes` to `path` (see WriteFileAtomically for what each kind of
// destination gets) or, for an empty path, "-" or /dev/stdout, to `out`.
// False, with a message, when it cannot be written.
bool WriteOutput(const std::string& path, const std::string& bytes, std::ostream& out,
                 std::ostream& err);

}  // namespace capter::cli
