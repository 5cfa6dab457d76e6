#include "cli/info_command.h"

#include <algorithm>
#include <optional>

#include "cli/command_options.h"
#include "cli/info_report.h"
#include "cli/policy_message_boxes.h"
#include "cli/stream_survey.h"
#include "cli/title_inputs.h"

namespace capter::cli {
namespace {

constexpr const char* kUsage =
    "usage: capter-cli info [--json] [--units N] [--start-time hh:mm:ss,mmm] FILE...\n";

constexpr const char* kHelp =
    "usage: capter-cli info [--json] [--units N] [--start-time hh:mm:ss,mmm] FILE...\n"
    "\n"
    "Lists the sub-picture streams of the VOB files, read in the order given as one\n"
    "title: per stream its number, id, language, unit count, first start, last stop\n"
    "and the units left out (damaged, without their first packet, or cut off at the\n"
    "end of the last file), after the TV system and the count of bad pack headers.\n"
    "An IFO file among the files names the streams; a BUP file is passed over.\n"
    "  --json          the same report as one JSON object\n"
    "  --units N       also list every unit of stream N (1..32): start, stop, area,\n"
    "                  size and whether it is worth recognising\n"
    "  --start-time T  the time the title's first pack is shown at\n";

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

int Report(const InfoOptions& options, std::ostream& out, std::ostream& err) {
  const std::optional<TitleInputs> title = SortTitleInputs(options.files, err);
  if (!title) return kExitFailed;
  SurveyRequest request;
  request.startTime = options.startTime;
  request.listedStream = options.listedStream;
  request.vobFiles = title->vobFiles;
  request.names = title->names;
  PolicyMessageBoxes boxes(err);
  const Survey survey = SurveyStreams(request, boxes);
  if (survey.failed) return kExitFailed;
  if (survey.packs == 0) {
    err << "capter-cli info: no MPEG program-stream pack found; not a VOB file\n";
    return kExitFailed;
  }
  if (options.listedStream > 0 &&
      (survey.streams.empty() ||
       std::none_of(survey.streams.begin(), survey.streams.end(),
                    [&](const StreamSummary& s) { return s.number == options.listedStream; }))) {
    err << "capter-cli info: stream " << options.listedStream << " is not in the files\n";
    return kExitFailed;
  }
  if (options.json) {
    PrintInfoJson(survey, options.listedStream, out);
  } else {
    PrintInfoText(survey, options.listedStream, out);
  }
  out.flush();
  if (!out) {
    err << "capter-cli info: the report could not be written\n";
    return kExitFailed;
  }
  if (const std::string summary = DamageSummary(survey.damage); !summary.empty()) {
    err << "capter-cli info: " << summary << "\n";
  }
  return boxes.Warned() ? kExitFailed : kExitOk;
}

}  // namespace

int RunInfoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return RunCommand(
      args, out, err, ParseOptions,
      [&](const InfoOptions& options) { return Report(options, out, err); }, kHelp);
}

}  // namespace capter::cli
