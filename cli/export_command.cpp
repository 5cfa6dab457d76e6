#include "cli/export_command.h"

#include <optional>

#include "cli/command_options.h"
#include "cli/destinations.h"
#include "cli/terminal_session.h"
#include "cli/title_inputs.h"
#include "export/bmp_profile.h"
#include "export/run_file_name.h"

namespace capter::cli {
namespace {

constexpr const char* kUsage =
    "usage: capter-cli export --stream N (--bmp PREFIX | --sup PREFIX) [--profile FILE.ini]\n"
    "                         [--timing OUT] [--format own|subviewer|subviewer2|iauthor|\n"
    "                         philips|sonic] [--start-time hh:mm:ss,mmm]\n"
    "                         [--text-colour 0..3] VOB...\n"
    "\n"
    "Saves every sub-picture of stream N (1..32) as PREFIX000001.bmp, ... (after the\n"
    "bitmap profile's cropping, colours and positioning) or as PREFIX000001.sup, ...\n"
    "  --profile FILE.ini  bitmap profile (default: built-in settings)\n"
    "  --timing OUT        also write a subtitle file naming each picture with its\n"
    "                      times (own format unless --format says otherwise;\n"
    "                      '-' for stdout)\n"
    "  --start-time T      the time the title's first pack is shown at\n"
    "  --text-colour 0..3  palette index of the text body: it plays the Font role\n"
    "                      of the BMP colours (default: the profile's order)\n";

struct ExportOptions : CommonOptions {
  int stream = 0;
  RunAction action = RunAction::ShowOnly;  // until --bmp or --sup
  std::string prefix;
  std::string profile;
  std::string timing;
  std::optional<uint8_t> textColour;
};

std::optional<bool> ParseExportOption(ArgumentCursor& cursor, ExportOptions& o) {
  const std::string& word = cursor.Word();
  if (word == "--stream") {
    const auto n = cursor.Value("a stream number from 1 to 32", ParseStreamNumber);
    o.stream = n.value_or(0);
    return n.has_value();
  }
  if (word == "--bmp" || word == "--sup") {
    const RunAction action = word == "--bmp" ? RunAction::SaveBmp : RunAction::SaveSup;
    const auto prefix = cursor.Text("the beginning of the file names");
    const bool ok = prefix && !prefix->empty() && o.action == RunAction::ShowOnly;
    if (prefix && o.action != RunAction::ShowOnly) cursor.Fail("give one of --bmp and --sup");
    o.action = action;
    o.prefix = prefix.value_or("");
    return ok;
  }
  if (word == "--profile" || word == "--timing") {
    const auto path = cursor.Text("a file name");
    (word == "--profile" ? o.profile : o.timing) = path.value_or("");
    return path.has_value();
  }
  if (word == "--text-colour") {
    const auto index = cursor.Value("a palette index from 0 to 3",
                                    [](const std::string& s) { return ParseNumberIn(s, 0, 3); });
    if (index) o.textColour = static_cast<uint8_t>(*index);
    return index.has_value();
  }
  return std::nullopt;
}

const char* MissingOption(const ExportOptions& o) {
  return o.stream == 0                     ? "--stream N is required"
         : o.action == RunAction::ShowOnly ? "--bmp PREFIX or --sup PREFIX is required"
         : o.files.empty()                 ? "no VOB file given"
                                           : nullptr;
}

std::optional<ExportOptions> ParseOptions(const std::vector<std::string>& args, std::ostream& err) {
  const CommandSyntax syntax{
      .name = "export", .usage = kUsage, .format = true, .startTime = true, .output = false};
  return ParseCommand<ExportOptions>(args, err, syntax, ParseExportOption, MissingOption);
}

// The timing file and the first picture's name are checked before the run:
// neither may be an input, and both must be writable.
bool CheckDestinations(const ExportOptions& o, std::ostream& err) {
  std::vector<std::string> inputs = o.files;
  if (!o.profile.empty()) inputs.push_back(o.profile);
  const std::string_view extension =
      o.action == RunAction::SaveBmp ? kBmpRunExtension : kSupRunExtension;
  return CheckDestination(RunFileName(o.prefix, 1, extension), inputs, err) &&
         (o.timing.empty() || CheckDestination(o.timing, inputs, err));
}

int Export(const ExportOptions& o, std::ostream& out, std::ostream& err) {
  const std::optional<TitleInputs> title = SortTitleInputs(o.files, err);
  if (!title) return kExitFailed;
  TerminalSession session(err, IsTerminal(err));
  if (!o.profile.empty()) {
    if (!CheckReadable(o.profile, err)) return kExitFailed;
    const FileResult loaded = LoadBmpProfile(o.profile, session.BmpSettings());
    if (!loaded.ok) {
      err << "capter-cli: " << loaded.error << "\n";
      return kExitFailed;
    }
  }
  if (!CheckDestinations(o, err)) return kExitFailed;
  if (o.textColour) session.Session().Roles().SetRoleCode(kFontRole, *o.textColour);
  session.Text().SetOutputFormat(o.format.value_or(OutputFormatCode::Capter));
  const JobRequest request{.files = title->vobFiles,
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
  session.ReportDamage("export", err);
  if (!o.timing.empty() && !WriteOutput(o.timing, FinalText(session.Text()), out, err)) {
    return kExitFailed;
  }
  return session.Boxes().Warned() ? kExitFailed : kExitOk;
}

}  // namespace

int RunExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return RunCommand(
      args, out, err, ParseOptions,
      [&](const ExportOptions& options) { return Export(options, out, err); }, kUsage);
}

}  // namespace capter::cli
