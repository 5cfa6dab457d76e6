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

// Parses the options; on a usage error writes it and returns nothing.
std::optional<InfoOptions> ParseOptions(const std::vector<std::string>& args, std::ostream& err) {
  InfoOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--help") {
      options.help = true;
    } else if (arg == "--json") {
      options.json = true;
    } else if (arg == "--units") {
      const std::optional<int> n = hasValue ? ParseStreamNumber(args[++i]) : std::nullopt;
      if (!n) {
        err << "capter-cli info: --units needs a stream number from 1 to 32\n";
        return std::nullopt;
      }
      options.listedStream = *n;
    } else if (arg == "--start-time") {
      const std::optional<TimeCode> t = hasValue ? ParseStrictTimeCode(args[++i]) : std::nullopt;
      if (!t) {
        err << "capter-cli info: --start-time needs a time code hh:mm:ss,mmm\n";
        return std::nullopt;
      }
      options.startTime = *t;
    } else if (arg.starts_with("--")) {
      err << "capter-cli info: unknown option '" << arg << "'\n" << kUsage;
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

}  // namespace

int RunInfoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<InfoOptions> options = ParseOptions(args, err);
  if (!options) return kExitUsage;
  if (options->help) {
    out << kUsage;
    return kExitOk;
  }
  SurveyRequest request;
  request.startTime = options->startTime;
  request.listedStream = options->listedStream;
  for (const std::string& file : options->files) {
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
  if (options->json) {
    PrintInfoJson(survey, options->listedStream, out);
  } else {
    PrintInfoText(survey, options->listedStream, out);
  }
  return survey.failed || boxes.Warned() ? 1 : 0;
}

}  // namespace capter::cli
