#include "tests/cli/cli_test_support.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace capter::testing {

ScratchDir::ScratchDir(const std::string& name)
    : dir_(std::filesystem::temp_directory_path() /
           ("capter-cli-" + name + "-" + std::to_string(::getpid()))) {
  std::filesystem::remove_all(dir_);
  std::filesystem::create_directories(dir_);
}

ScratchDir::~ScratchDir() {
  std::error_code error;
  std::filesystem::remove_all(dir_, error);
}

CommandResult RunCommand(const CommandFunction& command, const std::vector<std::string>& args,
                         const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out, err;
  CommandResult result;
  result.code = command(args, in, out, err);
  result.out = out.str();
  result.err = err.str();
  return result;
}

bool ParseUnknownLine(const std::string& line, UnknownQuestion& question) {
  char start[13] = {};
  int consumed = 0;
  if (std::sscanf(line.c_str(), "unknown: start=%12s line=%d/%d char=%d/%d%n", start,
                  &question.line, &question.lines, &question.character, &question.characters,
                  &consumed) != 5 ||
      static_cast<size_t>(consumed) != line.size()) {
    return false;
  }
  question.start = start;
  return question.line >= 1 && question.line <= question.lines && question.character >= 1 &&
         question.character <= question.characters;
}

AnsweringInput::int_type AnsweringInput::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  const std::string err = err_.str();
  // The last question, about a character or a whole line.
  const size_t character = err.rfind("unknown: ");
  const size_t line = err.rfind("unknown-line: ");
  const size_t at = character == std::string::npos ? line
                    : line == std::string::npos    ? character
                                                   : std::max(character, line);
  if (at == std::string::npos || at < answeredUpTo_) return traits_type::eof();
  const size_t end = err.find('\n', at);
  answeredUpTo_ = err.size();
  ++questions_;
  line_ = answer_(err.substr(at, end == std::string::npos ? std::string::npos : end - at)) + "\n";
  setg(line_.data(), line_.data(), line_.data() + line_.size());
  return traits_type::to_int_type(*gptr());
}

CommandResult RunAnswering(const CommandFunction& command, const std::vector<std::string>& args,
                           std::function<std::string(const std::string& unknownLine)> answer) {
  std::ostringstream out, err;
  AnsweringInput answers(err, std::move(answer));
  std::istream in(&answers);
  CommandResult result;
  result.code = command(args, in, out, err);
  result.out = out.str();
  result.err = err.str();
  return result;
}

}  // namespace capter::testing
