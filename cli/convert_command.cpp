#include "cli/convert_command.h"

#include <optional>

#include "cli/command_options.h"
#include "cli/policy_message_boxes.h"
#include "cli/run_session.h"
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

struct ConvertOptions {
  bool help = false;
  std::optional<OutputFormatCode> format;
  std::optional<int> offset;
  std::string output;
  std::vector<std::string> files;
};

std::optional<ConvertOptions> ParseOptions(const std::vector<std::string>& args,
                                           std::ostream& err) {
  ConvertOptions o;
  ArgumentCursor cursor(args, "convert", err);
  while (cursor.Next()) {
    const std::string& word = cursor.Word();
    bool ok = true;
    if (word == "--help") {
      o.help = true;
    } else if (word == "--format") {
      o.format = cursor.Value("one of own, subviewer, subviewer2, iauthor, philips, sonic",
                              ParseFormatName);
      ok = o.format.has_value();
    } else if (word == "--offset") {
      o.offset = cursor.Value("a number from 0 to 65535",
                              [](const std::string& s) { return ParseNumberIn(s, 0, 65535); });
      ok = o.offset.has_value();
    } else if (word == "-o") {
      const auto path = cursor.Text("a file name");
      ok = path.has_value();
      o.output = path.value_or("");
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
  const char* missing = !o.format             ? "--format is required"
                        : o.files.size() != 1 ? "give exactly one input file"
                                              : nullptr;
  if (missing != nullptr) {
    cursor.Fail(missing);
    err << kUsage;
    return std::nullopt;
  }
  return o;
}

int Convert(const ConvertOptions& o, std::ostream& out, std::ostream& err) {
  const std::string& input = o.files.front();
  if (!CheckReadable(input, err)) return kExitFailed;
  PolicyMessageBoxes boxes(err);
  SubtitleTable table;
  SubtitleTextModel model(table, boxes);
  model.SetOutputFormat(*o.format);
  const OpenOutcome opened = OpenCapterFile(model, input);
  if (opened != OpenOutcome::Complete && opened != OpenOutcome::Stopped) return kExitFailed;
  if (o.offset) {
    model.Options().capterOffset = static_cast<uint16_t>(*o.offset);
    model.RefreshList();
  }
  if (!WriteOutput(o.output, SavedText(model), out, err)) return kExitFailed;
  return opened == OpenOutcome::Complete && !boxes.Warned() ? kExitOk : kExitFailed;
}

}  // namespace

int RunConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<ConvertOptions> options = ParseOptions(args, err);
  if (!options) return kExitUsage;
  if (options->help) {
    out << kUsage;
    return kExitOk;
  }
  return Convert(*options, out, err);
}

}  // namespace capter::cli
