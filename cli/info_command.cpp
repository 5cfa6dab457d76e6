#include "cli/info_command.h"

#include <cctype>
#include <filesystem>
#include <optional>
#include <span>

#include "base/atomic_file.h"
#include "cli/command_options.h"
#include "cli/info_report.h"
#include "cli/policy_message_boxes.h"
#include "cli/stream_survey.h"

namespace capter::cli {
namespace {

constexpr const char* kUsage =
    "usage: capter-cli info [--json] [--units N] [--start-time hh:mm:ss,mmm] FILE...\n";

struct InfoOptions {
  bool help = false;
  bool json = false;
  int listedStream = 0;
  TimeCode startTime;
  std::vector<std::string> files;
};

// Parses the options; on a usage error writes it and returns nothing. Unlike
// the run commands, a bad option value is reported without the usage text
// and a word with a single '-' is a file.
std::optional<InfoOptions> ParseOptions(const std::vector<std::string>& args, std::ostream& err) {
  InfoOptions options;
  ArgumentCursor cursor(args, "info", err);
  while (cursor.Next()) {
    const std::string& arg = cursor.Word();
    if (arg == "--help") {
      options.help = true;
    } else if (arg == "--json") {
      options.json = true;
    } else if (arg == "--units") {
      const std::optional<int> n = cursor.Value("a stream number from 1 to 32", ParseStreamNumber);
      if (!n) return std::nullopt;
      options.listedStream = *n;
    } else if (arg == "--start-time") {
      const std::optional<TimeCode> t =
          cursor.Value("a time code hh:mm:ss,mmm", ParseStrictTimeCode);
      if (!t) return std::nullopt;
      options.startTime = *t;
    } else if (arg.starts_with("--")) {
      cursor.Fail("unknown option '" + arg + "'");
      err << kUsage;
      return std::nullopt;
    } else {
      options.files.push_back(arg);
    }
  }
  if (options.files.empty() && !options.help) {
    err << kUsage;
    return std::nullopt;
  }
  return options;
}

bool IsIfo(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".ifo";
}

int Report(const InfoOptions& options, std::ostream& out, std::ostream& err) {
  SurveyRequest request;
  request.startTime = options.startTime;
  request.listedStream = options.listedStream;
  for (const std::string& file : options.files) {
    if (!CheckReadable(file, err)) return 1;
    if (!IsIfo(file)) {
      request.vobFiles.push_back(file);
      continue;
    }
    std::string bytes;
    const FileResult read = ReadWholeFile(file, bytes);
    if (!read.ok) {
      err << "capter-cli: " << file << ": " << read.error << "\n";
      return 1;
    }
    const std::optional<StreamNames> names =
        ReadIfoStreamNames(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    if (!names) {
      err << "capter-cli: " << file << ": too short for an IFO file\n";
      return 1;
    }
    request.names = *names;
  }
  PolicyMessageBoxes boxes(err);
  const Survey survey = SurveyStreams(request, boxes);
  if (options.json) {
    PrintInfoJson(survey, options.listedStream, out);
  } else {
    PrintInfoText(survey, options.listedStream, out);
  }
  return survey.failed || boxes.Warned() ? 1 : 0;
}

}  // namespace

int RunInfoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return RunCommand(
      args, out, err, ParseOptions,
      [&](const InfoOptions& options) { return Report(options, out, err); }, kUsage);
}

}  // namespace capter::cli
