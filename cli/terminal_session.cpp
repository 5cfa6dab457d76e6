#include "cli/terminal_session.h"

#include <unistd.h>

#include <iostream>

#include "base/atomic_file.h"
#include "cli/destinations.h"

namespace capter::cli {

TerminalSession::TerminalSession(std::ostream& err, bool showProgress)
    : boxes_(err),
      display_(err, clock_, showProgress),
      session_(SessionFrontEnd{.boxes = boxes_, .clock = clock_, .display = display_}) {
  boxes_.SetBeforeMessage([this] { display_.Clear(); });
}

bool TerminalSession::Execute(const JobRequest& request, const TimeCode& startTime) {
  const bool finished = session_.Execute(request, startTime);
  display_.Clear();
  return finished;
}

bool IsTerminal(const std::ostream& stream) {
  if (&stream == &std::cerr || &stream == &std::clog) return ::isatty(STDERR_FILENO) == 1;
  if (&stream == &std::cout) return ::isatty(STDOUT_FILENO) == 1;
  return false;
}

bool WriteOutput(const std::string& path, const std::string& bytes, std::ostream& out,
                 std::ostream& err) {
  if (IsStandardOutput(path)) {
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) err << "capter-cli: standard output could not be written\n";
    return static_cast<bool>(out);
  }
  const FileResult written = WriteFileAtomically(path, bytes);
  if (!written.ok) err << "capter-cli: " << written.error << "\n";
  return written.ok;
}

void TerminalSession::ReportDamage(const std::string& command, std::ostream& err) {
  const std::string summary = DamageSummary(session_.Run().Reader().Damage());
  if (!summary.empty()) err << "capter-cli " << command << ": " << summary << "\n";
}

}  // namespace capter::cli
