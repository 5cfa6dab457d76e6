#include "cli/run_session.h"

#include <unistd.h>

#include <iostream>

#include "base/atomic_file.h"
#include "text/save_as.h"

namespace capter::cli {

RunSession::RunSession(std::ostream& err, bool showProgress)
    : boxes_(err),
      display_(err, clock_, showProgress),
      run_(boxes_, clock_, display_),
      text_(table_, boxes_),
      dispatch_(DispatchParts{
          .run = run_, .text = text_, .bmpSettings = &bmpSettings_, .boxes = boxes_}) {
  run_.SetDispatcher(&dispatch_);
  boxes_.SetBeforeMessage([this] { display_.Clear(); });
}

bool RunSession::Execute(const JobRequest& request, const TimeCode& startTime) {
  run_.ResetTimeBase(startTime);
  run_.Start(request);
  run_.RunToEnd();
  display_.Clear();
  return run_.State() == RunState::Idle;
}

std::string FinalText(SubtitleTextModel& text) {
  // A run lists each entry as it comes; a refresh adds the header that
  // some formats begin with.
  text.RefreshList();
  return SavedText(text);
}

bool RunSession::StreamFound() const {
  const unsigned index = run_.Job().reader.streamId - kFirstSubPictureStream;
  return (run_.Reader().SubPictureStreamsSeen() >> index & 1u) != 0;
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
