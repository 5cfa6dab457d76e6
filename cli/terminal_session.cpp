#include "cli/terminal_session.h"

#include <unistd.h>

#include <iostream>

#include "base/atomic_file.h"

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
  if (path.empty() || path == "-") {
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    return static_cast<bool>(out);
  }
  const FileResult written = WriteFileAtomically(path, bytes);
  if (!written.ok) err << "capter-cli: " << path << ": " << written.error << "\n";
  return written.ok;
}

}  // namespace capter::cli
