// Helpers for the command tests: a scratch folder, a command's exit code
// and output, and a stdin that answers each teaching question as it is
// asked.
#pragma once

#include <filesystem>
#include <functional>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

namespace capter::testing {

// A fresh folder under the system's temporary folder, removed at the end.
class ScratchDir {
 public:
  explicit ScratchDir(const std::string& name);
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  std::string Path(const std::string& file) const { return (dir_ / file).string(); }

 private:
  std::filesystem::path dir_;
};

struct CommandResult {
  int code = -1;
  std::string out;
  std::string err;
};

using CommandFunction = std::function<int(const std::vector<std::string>& args, std::istream& in,
                                          std::ostream& out, std::ostream& err)>;

// Runs `command` with stdin `input`.
CommandResult RunCommand(const CommandFunction& command, const std::vector<std::string>& args,
                         const std::string& input = {});

// What a teaching question says, from its "unknown:" line.
struct UnknownQuestion {
  std::string start;  // hh:mm:ss,mmm
  int line = 0;       // 1..lines
  int lines = 0;
  int character = 0;  // 1..characters
  int characters = 0;
};

// Parses "unknown: start=hh:mm:ss,mmm line=L/NL char=J/NC"; false when the
// line does not have exactly that form.
bool ParseUnknownLine(const std::string& line, UnknownQuestion& question);

// A stdin whose next line is made when the command reads it: `answer` gets
// the last "unknown:" line written to `err` since the previous answer. The
// stream ends when no new question was asked.
class AnsweringInput : public std::streambuf {
 public:
  AnsweringInput(const std::ostringstream& err,
                 std::function<std::string(const std::string& unknownLine)> answer)
      : err_(err), answer_(std::move(answer)) {}

  size_t Questions() const { return questions_; }

 protected:
  int_type underflow() override;

 private:
  const std::ostringstream& err_;
  std::function<std::string(const std::string&)> answer_;
  size_t answeredUpTo_ = 0;
  size_t questions_ = 0;
  std::string line_;
};

// Runs `command` answering its questions with `answer`.
CommandResult RunAnswering(const CommandFunction& command, const std::vector<std::string>& args,
                           std::function<std::string(const std::string& unknownLine)> answer);

}  // namespace capter::testing
