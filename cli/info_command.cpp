#include "cli/info_command.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>
#include <span>

#include "base/atomic_file.h"
#include "cli/info_report.h"
#include "cli/policy_message_boxes.h"
#include "cli/stream_survey.h"

namespace capter::cli {
namespace {

constexpr const char* kUsage =
    "usage: capter-cli info [--json] [--units N] [--start-time hh:mm:ss,mmm] FILE...\n";

struct InfoOptions {
  bool json = false;
  int listedStream = 0;
  TimeCode startTime;
  std::vector<std::string> files;
};

// hh:mm:ss,mmm exactly, every field a number.
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
  if (text.empty() || text.size() > 2 || !std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c));
      })) {
    return std::nullopt;
  }
  const int n = std::stoi(text);
  if (n < 1 || n > 32) return std::nullopt;
  return n;
}

// Parses the options; on a usage error writes it and returns nothing.
std::optional<InfoOptions> ParseOptions(const std::vector<std::string>& args, std::ostream& err) {
  InfoOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--json") {
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
  if (options.files.empty()) {
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

// Files must exist and be readable before any reading starts.
bool CheckReadable(const std::string& path, std::ostream& err) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    err << "capter-cli: " << path << ": no such file\n";
    return false;
  }
  if (std::filesystem::is_directory(path, error) || !std::ifstream(path, std::ios::binary)) {
    err << "capter-cli: " << path << ": cannot be read\n";
    return false;
  }
  return true;
}

}  // namespace

int RunInfoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<InfoOptions> options = ParseOptions(args, err);
  if (!options) return 2;
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
