// What the ocr command does with a character shape the matrix does not
// know: ask on the terminal (--teach), leave it out (--unknown skip) or stop
// the run (--unknown fail).
#pragma once

#include <cstddef>
#include <functional>
#include <istream>
#include <optional>
#include <ostream>
#include <string>

#include "ocr/character_teacher.h"
#include "ocr/text_colour.h"
#include "stream/time_code.h"

namespace capter::cli {

enum class UnknownPolicy { Skip, Fail, Teach };

class TerminalTeacher : public CharacterTeacher {
 public:
  // `startOf` gives the start time of the sub-picture being recognised;
  // `colour` its text colour (for the art).
  TerminalTeacher(UnknownPolicy policy, std::istream& in, std::ostream& err,
                  std::function<TimeCode()> startOf, const TextColourState& colour)
      : policy_(policy), in_(in), err_(err), startOf_(std::move(startOf)), colour_(colour) {}

  // Called before a question is shown (to clear the progress line).
  void SetBeforePrompt(std::function<void()> beforePrompt) {
    beforePrompt_ = std::move(beforePrompt);
  }

  // With recognition proposals on, the unknown: line also gives the box on
  // the screen and the proposal, and `:accept` takes the proposal.
  void SetShowProposals(bool show) { showProposals_ = show; }

  TeachAnswer Teach(const TeachRequest& request) override;

  // Characters left out under --unknown skip.
  size_t Skipped() const { return skipped_; }
  // The run must stop: an unknown character under --unknown fail, or the
  // user's :quit (or the end of the answers).
  bool Stopped() const { return stopped_; }
  // "unknown: start=... line=L/NL char=J/NC" of the character that stopped
  // the run under --unknown fail.
  const std::string& FailedAt() const { return failedAt_; }

 private:
  TeachAnswer Ask(const TeachRequest& request);
  TeachAnswer AskLine(const TeachRequest& request);
  TeachAnswer Stop();
  // Reads one answer into `typed`; end of input and the commands every
  // question knows (:quit, :skipline, :skipsub) give their answer at once.
  std::optional<TeachAnswer> ReadTyped(std::string& typed);

  UnknownPolicy policy_;
  std::istream& in_;
  std::ostream& err_;
  std::function<TimeCode()> startOf_;
  const TextColourState& colour_;
  std::function<void()> beforePrompt_;
  bool showProposals_ = false;
  size_t skipped_ = 0;
  bool stopped_ = false;
  std::string failedAt_;
};

// "unknown: start=hh:mm:ss,mmm line=L/NL char=J/NC", numbers from 1; with
// `proposals` followed by " box=x1,y1,x2,y2" (screen, inclusive) and, when
// there is a proposal, ' suggest="TEXT"' (UTF-8, a quote or backslash
// escaped with a backslash).
std::string UnknownLine(const TeachRequest& request, const TimeCode& start, bool proposals = false);

// "unknown-line: start=hh:mm:ss,mmm line=L/NL reading="TEXT"
// boxes=x1,y1,x2,y2;x1,y1,x2,y2..." for a whole-line request: the line's
// reading so far (known characters and proposals, quoted as `suggest`) and
// the unknown boxes on the screen, inclusive, left to right.
std::string UnknownLineQuestion(const TeachRequest& request, const TimeCode& start);

// An answer as typed: UTF-8 from the terminal becomes Windows-1252; bytes
// that are not valid UTF-8 are taken as Windows-1252 already.
std::string AnswerText(const std::string& typed);

}  // namespace capter::cli
