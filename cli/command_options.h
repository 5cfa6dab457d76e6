// What the commands share in reading their words: option values (stream
// numbers, time codes, output formats, counts) and the check that input
// files exist and can be read before any work starts.
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "stream/time_code.h"
#include "text/output_format.h"

namespace capter::cli {

// Exit codes of every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // missing or unreadable input, failed run
inline constexpr int kExitUsage = 2;   // bad options

// hh:mm:ss,mmm exactly, every field a number, minutes and seconds below 60.
std::optional<TimeCode> ParseStrictTimeCode(const std::string& text);

// A sub-picture stream number 1..32.
std::optional<int> ParseStreamNumber(const std::string& text);

// A decimal number in [low, high].
std::optional<int> ParseNumberIn(const std::string& text, int low, int high);

// own, subviewer, subviewer2, iauthor, philips or sonic.
std::optional<OutputFormatCode> ParseFormatName(const std::string& text);

// Files must be existing, readable regular files (a pipe or a device is
// refused without being opened, as opening it could wait for ever); writes
// the reason and returns false.
bool CheckReadable(const std::string& path, std::ostream& err);

// Walks a command's words: options with their values and the operands.
class ArgumentCursor {
 public:
  ArgumentCursor(const std::vector<std::string>& args, std::string command, std::ostream& err)
      : args_(args), command_(std::move(command)), err_(err) {}

  // Moves to the next word; false past the last one.
  bool Next() { return ++index_ < args_.size(); }
  const std::string& Word() const { return args_[index_]; }
  bool IsOption() const { return Word().size() > 1 && Word()[0] == '-'; }

  // The value after the current option, or nothing (with a message naming
  // the option and `what` it needs) when the value is missing or `parsed`
  // rejects it.
  template <typename Parse>
  auto Value(const char* what, Parse parsed) -> decltype(parsed(std::string())) {
    const std::string option = Word();
    if (index_ + 1 < args_.size()) {
      if (auto value = parsed(args_[++index_])) return value;
    }
    Fail(option + " needs " + what);
    return std::nullopt;
  }
  std::optional<std::string> Text(const char* what) {
    return Value(what, [](const std::string& s) { return std::optional<std::string>(s); });
  }

  // Writes "capter-cli COMMAND: message".
  void Fail(const std::string& message) {
    err_ << "capter-cli " << command_ << ": " << message << "\n";
  }

 private:
  const std::vector<std::string>& args_;
  std::string command_;
  std::ostream& err_;
  size_t index_ = static_cast<size_t>(-1);
};

// What every run command may read besides its own options.
struct CommonOptions {
  bool help = false;
  std::optional<OutputFormatCode> format;  // --format
  TimeCode startTime;                      // --start-time
  std::string output;                      // -o
  std::vector<std::string> files;          // the operands
};

// A command's name, its usage text and which common options it takes.
struct CommandSyntax {
  const char* name;
  const char* usage;
  bool format = false;
  bool startTime = false;
  bool output = false;
};

// Reads the command's own option at the cursor: nothing when the word is not
// one of them, else whether it and its value were good.
using OwnOption = std::function<std::optional<bool>(ArgumentCursor&)>;
// The message for a required option or operand that is missing, or nullptr.
using MissingCheck = std::function<const char*()>;

// Reads every word: --help, the command's own options, the common options it
// takes and the operands. On a usage error writes the reason and the usage
// text and returns false. Required options are not checked for --help.
bool ParseCommandWords(const std::vector<std::string>& args, std::ostream& err,
                       const CommandSyntax& syntax, CommonOptions& common, const OwnOption& own,
                       const MissingCheck& missing);

// ParseCommandWords into a fresh `Options`, a CommonOptions with the
// command's own fields: `own(cursor, options)` reads the command's own
// options and `missing(options)` names what is missing.
template <typename Options, typename Own, typename Missing>
std::optional<Options> ParseCommand(const std::vector<std::string>& args, std::ostream& err,
                                    const CommandSyntax& syntax, Own own, Missing missing) {
  Options options;
  const bool parsed = ParseCommandWords(
      args, err, syntax, options, [&](ArgumentCursor& cursor) { return own(cursor, options); },
      [&] { return missing(options); });
  if (!parsed) return std::nullopt;
  return options;
}

// Runs a command: `parse(args, err)` yields its options or nothing after a
// usage error (exit code 2); --help writes `usage` to `out`; otherwise
// `run(options)` gives the exit code.
template <typename Parse, typename Run>
int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               Parse parse, Run run, const char* usage) {
  const auto options = parse(args, err);
  if (!options) return kExitUsage;
  if (options->help) {
    out << usage;
    return kExitOk;
  }
  return run(*options);
}

}  // namespace capter::cli
