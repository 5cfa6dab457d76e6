#include "cli/export_command.h"

#include <optional>

#include "cli/command_options.h"
#include "cli/run_session.h"
#include "export/bmp_profile.h"

namespace capter::cli {
namespace {

constexpr const char* kUsage =
    "usage: capter-cli export --stream N (--bmp PREFIX | --sup PREFIX) [--profile FILE.ini]\n"
    "                         [--timing OUT] [--format own|subviewer|subviewer2|iauthor|\n"
    "                         philips|sonic] [--start-time hh:mm:ss,mmm] VOB...\n"
    "\n"
    "Saves every sub-picture of stream N (1..32) as PREFIX000001.bmp, ... (after the\n"
    "bitmap profile's cropping, colours and positioning) or as PREFIX000001.sup, ...\n"
    "  --profile FILE.ini  bitmap profile (default: built-in settings)\n"
    "  --timing OUT        also write a subtitle file naming each picture with its\n"
    "                      times (own format unless --format says otherwise;\n"
    "                      '-' for stdout)\n"
    "  --start-time T      the time the title's first pack is shown at\n";

struct ExportOptions {
  bool help = false;
  int stream = 0;
  RunAction action = RunAction::ShowOnly;  // until --bmp or --sup
  std::string prefix;
  std::string profile;
  std::string timing;
  OutputFormatCode format = OutputFormatCode::Capter;
  TimeCode startTime;
  std::vector<std::string> files;
};

std::optional<ExportOptions> ParseOptions(const std::vector<std::string>& args, std::ostream& err) {
  ExportOptions o;
  ArgumentCursor cursor(args, "export", err);
  while (cursor.Next()) {
    const std::string& word = cursor.Word();
    bool ok = true;
    if (word == "--help") {
      o.help = true;
    } else if (word == "--stream") {
      const auto n = cursor.Value("a stream number from 1 to 32", ParseStreamNumber);
      ok = n.has_value();
      o.stream = n.value_or(0);
    } else if (word == "--bmp" || word == "--sup") {
      const RunAction action = word == "--bmp" ? RunAction::SaveBmp : RunAction::SaveSup;
      const auto prefix = cursor.Text("the beginning of the file names");
      ok = prefix && !prefix->empty() && o.action == RunAction::ShowOnly;
      if (prefix && o.action != RunAction::ShowOnly) cursor.Fail("give one of --bmp and --sup");
      o.action = action;
      o.prefix = prefix.value_or("");
    } else if (word == "--profile" || word == "--timing") {
      const auto path = cursor.Text("a file name");
      ok = path.has_value();
      (word == "--profile" ? o.profile : o.timing) = path.value_or("");
    } else if (word == "--format") {
      const auto format = cursor.Value("one of own, subviewer, subviewer2, iauthor, philips, sonic",
                                       ParseFormatName);
      ok = format.has_value();
      o.format = format.value_or(OutputFormatCode::Capter);
    } else if (word == "--start-time") {
      const auto t = cursor.Value("a time code hh:mm:ss,mmm", ParseStrictTimeCode);
      ok = t.has_value();
      o.startTime = t.value_or(kZeroTimeCode);
    } else if (cursor.IsOption()) {
      cursor.Fail("unknown option '" + word + "'");
      ok = false;
    } else {
      o.files.push_back(word);
    }
    if (!ok) {
      err << kUsage;
      return std::nullopt;
    }
  }
  if (o.help) return o;
  const char* missing = o.stream == 0 ? "--stream N is required"
                        : o.action == RunAction::ShowOnly
                            ? "--bmp PREFIX or --sup PREFIX is required"
                        : o.files.empty() ? "no VOB file given"
                                          : nullptr;
  if (missing != nullptr) {
    cursor.Fail(missing);
    err << kUsage;
    return std::nullopt;
  }
  return o;
}

int Export(const ExportOptions& o, std::ostream& out, std::ostream& err) {
  for (const std::string& file : o.files) {
    if (!CheckReadable(file, err)) return kExitFailed;
  }
  RunSession session(err, IsTerminal(err));
  if (!o.profile.empty()) {
    if (!CheckReadable(o.profile, err)) return kExitFailed;
    const FileResult loaded = LoadBmpProfile(o.profile, session.BmpSettings());
    if (!loaded.ok) {
      err << "capter-cli: " << loaded.error << "\n";
      return kExitFailed;
    }
  }
  session.Text().SetOutputFormat(o.format);
  const JobRequest request{.files = o.files,
                           .streamIndex = o.stream - 1,
                           .action = o.action,
                           .addTimingEntries = !o.timing.empty(),
                           .outputPath = o.prefix};
  const bool finished = session.Execute(request, o.startTime);
  if (finished && !session.StreamFound()) {
    err << "capter-cli export: stream " << o.stream << " is not in the files\n";
    return kExitFailed;
  }
  if (!finished || session.Dispatch().WriteFailures() > 0) {
    err << "capter-cli export: stopped after a file could not be written\n";
    return kExitFailed;
  }
  if (!o.timing.empty() && !WriteOutput(o.timing, FinalText(session.Text()), out, err)) {
    return kExitFailed;
  }
  return session.Boxes().Warned() ? kExitFailed : kExitOk;
}

}  // namespace

int RunExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<ExportOptions> options = ParseOptions(args, err);
  if (!options) return kExitUsage;
  if (options->help) {
    out << kUsage;
    return kExitOk;
  }
  return Export(*options, out, err);
}

}  // namespace capter::cli
