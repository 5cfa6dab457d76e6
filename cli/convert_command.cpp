#include "cli/convert_command.h"

#include <optional>

#include "cli/command_options.h"
#include "cli/destinations.h"
#include "cli/policy_message_boxes.h"
#include "cli/terminal_session.h"
#include "stream/subtitle_table.h"
#include "text/own_format_reader.h"
#include "text/save_as.h"
#include "text/subtitle_text_model.h"

namespace capter::cli {
namespace {

constexpr const char* kUsage =
    "usage: capter-cli convert --format own|subviewer|subviewer2|iauthor|philips|sonic\n"
    "                          [--offset N] [-o OUT] IN.cpt\n"
    "\n"
    "Reads a subtitle file of the program's own format and writes it in another\n"
    "format with the default format options (to stdout unless -o OUT).\n"
    "  --offset N  number the own format's entries from N + 1 (0..65535; default:\n"
    "              as in IN.cpt)\n";

struct ConvertOptions : CommonOptions {
  std::optional<int> offset;
};

std::optional<bool> ParseConvertOption(ArgumentCursor& cursor, ConvertOptions& o) {
  if (cursor.Word() != "--offset") return std::nullopt;
  o.offset = cursor.Value("a number from 0 to 65535",
                          [](const std::string& s) { return ParseNumberIn(s, 0, 65535); });
  return o.offset.has_value();
}

const char* MissingOption(const ConvertOptions& o) {
  return !o.format             ? "--format is required"
         : o.files.size() != 1 ? "give exactly one input file"
                               : nullptr;
}

std::optional<ConvertOptions> ParseOptions(const std::vector<std::string>& args,
                                           std::ostream& err) {
  const CommandSyntax syntax{
      .name = "convert", .usage = kUsage, .format = true, .startTime = false, .output = true};
  return ParseCommand<ConvertOptions>(args, err, syntax, ParseConvertOption, MissingOption);
}

int Convert(const ConvertOptions& o, std::ostream& out, std::ostream& err) {
  const std::string& input = o.files.front();
  if (!CheckReadable(input, err) || !CheckDestination(o.output, {input}, err)) return kExitFailed;
  PolicyMessageBoxes boxes(err);
  SubtitleTable table;
  SubtitleTextModel model(table, boxes);
  model.SetOutputFormat(*o.format);
  ReadReport report;
  const OpenOutcome opened = OpenCapterFile(model, input, &report);
  if (opened != OpenOutcome::Complete && opened != OpenOutcome::Stopped) return kExitFailed;
  // The damaged blocks were passed over without a question; say where.
  if (const std::string note = PassedOverNote(report); !note.empty()) {
    err << "capter-cli convert: " << input << ": " << note << "\n";
  }
  if (report.entriesAdded == 0) {
    err << "capter-cli convert: " << input
        << ": no subtitle entry found (is it a file of the program's own format?); nothing "
           "written\n";
    return kExitFailed;
  }
  if (o.offset) {
    model.Options().capterOffset = static_cast<uint16_t>(*o.offset);
    model.RefreshList();
  }
  if (!WriteOutput(o.output, SavedText(model), out, err)) return kExitFailed;
  return opened == OpenOutcome::Complete && !boxes.Warned() ? kExitOk : kExitFailed;
}

}  // namespace

int RunConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return RunCommand(
      args, out, err, ParseOptions,
      [&](const ConvertOptions& options) { return Convert(options, out, err); }, kUsage);
}

}  // namespace capter::cli
