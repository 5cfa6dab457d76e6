#include "cli/command_options.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>

namespace capter::cli {
namespace {

bool AllDigits(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return std::isdigit(static_cast<unsigned char>(c));
  });
}

}  // namespace

std::optional<TimeCode> ParseStrictTimeCode(const std::string& text) {
  if (text.size() != 12 || text[2] != ':' || text[5] != ':' || text[8] != ',') return std::nullopt;
  for (size_t i : {0, 1, 3, 4, 6, 7, 9, 10, 11}) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
  }
  const TimeCode t = ParseTimeCode(text);
  if (t.minutes > 59 || t.seconds > 59) return std::nullopt;
  return t;
}

std::optional<int> ParseStreamNumber(const std::string& text) {
  return ParseNumberIn(text, 1, 32);
}

std::optional<int> ParseNumberIn(const std::string& text, int low, int high) {
  if (!AllDigits(text) || text.size() > 9) return std::nullopt;
  const int n = std::stoi(text);
  if (n < low || n > high) return std::nullopt;
  return n;
}

std::optional<OutputFormatCode> ParseFormatName(const std::string& text) {
  static const struct {
    const char* name;
    OutputFormatCode code;
  } kNames[] = {{"own", OutputFormatCode::Capter},
                {"subviewer", OutputFormatCode::SubViewer},
                {"subviewer2", OutputFormatCode::SubViewer2},
                {"iauthor", OutputFormatCode::IAuthor},
                {"philips", OutputFormatCode::Philips},
                {"sonic", OutputFormatCode::Sonic}};
  for (const auto& n : kNames) {
    if (text == n.name) return n.code;
  }
  return std::nullopt;
}

bool CheckReadable(const std::string& path, std::ostream& err) {
  // Looked at without opening: opening a FIFO waits for a writer.
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    err << "capter-cli: " << path << ": no such file\n";
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    err << "capter-cli: " << path
        << (S_ISDIR(info.st_mode) ? ": is a folder" : ": not a regular file (a pipe or a device)")
        << "; give a file\n";
    return false;
  }
  if (::access(path.c_str(), R_OK) != 0) {
    err << "capter-cli: " << path << ": cannot be read\n";
    return false;
  }
  return true;
}

namespace {

// Reads a common option the command takes at the cursor: nothing when the
// word is not one of them, else whether its value was good.
std::optional<bool> ParseCommonOption(ArgumentCursor& cursor, const CommandSyntax& syntax,
                                      CommonOptions& common) {
  const std::string& word = cursor.Word();
  if (word == "--help") {
    common.help = true;
    return true;
  }
  if (syntax.format && word == "--format") {
    common.format =
        cursor.Value("one of own, subviewer, subviewer2, iauthor, philips, sonic", ParseFormatName);
    return common.format.has_value();
  }
  if (syntax.startTime && word == "--start-time") {
    const auto t = cursor.Value("a time code hh:mm:ss,mmm", ParseStrictTimeCode);
    common.startTime = t.value_or(kZeroTimeCode);
    return t.has_value();
  }
  if (syntax.output && word == "-o") {
    const auto path = cursor.Text("a file name");
    common.output = path.value_or("");
    return path.has_value();
  }
  return std::nullopt;
}

}  // namespace

bool ParseCommandWords(const std::vector<std::string>& args, std::ostream& err,
                       const CommandSyntax& syntax, CommonOptions& common, const OwnOption& own,
                       const MissingCheck& missing) {
  ArgumentCursor cursor(args, syntax.name, err);
  while (cursor.Next()) {
    std::optional<bool> ok = own(cursor);
    if (!ok) ok = ParseCommonOption(cursor, syntax, common);
    if (!ok && cursor.IsOption()) {
      cursor.Fail("unknown option '" + cursor.Word() + "'");
      ok = false;
    } else if (!ok) {
      common.files.push_back(cursor.Word());
      ok = true;
    }
    if (!*ok) {
      err << syntax.usage;
      return false;
    }
  }
  if (common.help) return true;
  if (const char* message = missing(); message != nullptr) {
    cursor.Fail(message);
    err << syntax.usage;
    return false;
  }
  return true;
}

}  // namespace capter::cli
