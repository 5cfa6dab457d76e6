#include "cli/ocr_command.h"

#include <unistd.h>

#include <filesystem>
#include <optional>

#include "app/configuration.h"
#include "base/message_table.h"
#include "cli/command_options.h"
#include "cli/destinations.h"
#include "cli/terminal_session.h"
#include "cli/terminal_teacher.h"
#include "cli/text_colour_report.h"
#include "cli/title_inputs.h"
#include "ocr/character_matrix.h"
#include "ocr/recogniser.h"

namespace capter::cli {
namespace {

constexpr size_t kMessageMatrixEmpty = 2;

constexpr const char* kUsage =
    "usage: capter-cli ocr --stream N --matrix FILE.sum [--save-matrix FILE.sum]\n"
    "                      [--format own|subviewer|subviewer2|iauthor|philips|sonic]\n"
    "                      [--start-time hh:mm:ss,mmm] [--teach | --unknown skip|fail]\n"
    "                      [--text-colour C[,C...]] [--config FILE.ini]\n"
    "                      [--whole-glyphs|--best-match|--auto-spaces|--split-touching|\n"
    "                       --keep-small-marks|--other-sizes|--proposals|\n"
    "                       --layered-detection|--i-and-l-by-context|\n"
    "                       --teach-whole-lines on|off]\n"
    "                      [--aids off|recommended|all] [-o OUT] VOB...\n"
    "\n"
    "Recognises sub-picture stream N (1..32) of the VOB files, read in the order\n"
    "given as one title, into subtitle text (own format and stdout by default).\n"
    "  --matrix FILE.sum       character matrix to start from (may not exist yet)\n"
    "  --save-matrix FILE.sum  write the matrix, with what was taught, at the end\n"
    "  --start-time T          the time the title's first pack is shown at\n"
    "  --teach                 ask on the terminal for every unknown character\n"
    "  --unknown skip|fail     leave unknown characters out (default) or stop\n"
    "  --text-colour C[,C...]  palette index 0..3 of the text body (default:\n"
    "                          detected), then any more greys that are text too\n"
    "                          (antialias; with --whole-glyphs on)\n"
    "  --config FILE.ini       recognition limits and output format settings\n"
    "  --aids off|recommended|all  the recognition aids below at once\n"
    "                          (recommended: all but --whole-glyphs)\n"
    "  --whole-glyphs on|off   text is the fill plus the detected antialias greys\n"
    "  --best-match on|off     the most similar entry wins, not the first\n"
    "  --auto-spaces on|off    each line's word gaps set its space threshold\n"
    "  --split-touching on|off read touching letters as known entries\n"
    "  --keep-small-marks on|off  keep hyphens and thin strokes below the limits\n"
    "  --other-sizes on|off    read letters at sizes never taught\n"
    "  --proposals on|off      propose a text when asking (see below)\n"
    "  --layered-detection on|off  detect the text grey by layers, not counts\n"
    "  --i-and-l-by-context on|off  a plain bar read as I or l is decided by\n"
    "                          the letters around it\n"
    "  --teach-whole-lines on|off  with --teach, ask a line with unknown\n"
    "                          characters once as a whole (see below)\n"
    "                          (default: all on but --whole-glyphs; these\n"
    "                          override the configuration file)\n"
    "  -o OUT                  write the text to OUT instead of stdout ('-')\n"
    "\n"
    "With --teach each unknown character is drawn on stderr, followed by the line\n"
    "'unknown: start=hh:mm:ss,mmm line=L/NL char=J/NC' and the prompt 'text> '.\n"
    "Answer with its text (up to 20 characters; empty teaches it as nothing),\n"
    "':skipline', ':skipsub' or ':quit' (stops without writing anything).\n"
    "With --proposals on the line goes on with ' box=x1,y1,x2,y2' (the box on\n"
    "the screen) and ' suggest=\"TEXT\"' when there is a proposal; ':accept'\n"
    "teaches the proposal.\n"
    "With --teach-whole-lines on, a line with unknown characters is first drawn\n"
    "whole and asked with 'unknown-line: start=hh:mm:ss,mmm line=L/NL\n"
    "reading=\"TEXT\" boxes=x1,y1,x2,y2;...' and the prompt 'line> ': answer with\n"
    "the line's text (spaces allowed), ':accept' for the reading, an empty\n"
    "line to be asked character by character, ':skipline', ':skipsub' or\n"
    "':quit'.\n";

struct OcrOptions : CommonOptions {
  int stream = 0;
  std::string matrix;
  std::string saveMatrix;
  UnknownPolicy policy = UnknownPolicy::Skip;
  bool policyGiven = false;
  std::optional<uint8_t> textColour;
  uint8_t extraTextIndices = 0;  // further text greys of --text-colour
  std::string config;
  // Recognition aids given on the command line, applied over the
  // configuration in the order given.
  std::vector<std::pair<bool OcrSettings::*, bool>> aids;
  std::optional<std::string> allAids;
};

// The recognition aid an option names, or nothing.
bool OcrSettings::*AidOption(const std::string& word) {
  if (word == "--whole-glyphs") return &OcrSettings::WholeGlyphs;
  if (word == "--best-match") return &OcrSettings::BestMatch;
  if (word == "--auto-spaces") return &OcrSettings::AutoSpaces;
  if (word == "--split-touching") return &OcrSettings::SplitTouching;
  if (word == "--keep-small-marks") return &OcrSettings::KeepSmallMarks;
  if (word == "--other-sizes") return &OcrSettings::OtherSizes;
  if (word == "--proposals") return &OcrSettings::Proposals;
  if (word == "--layered-detection") return &OcrSettings::LayeredDetection;
  if (word == "--i-and-l-by-context") return &OcrSettings::IAndLByContext;
  if (word == "--teach-whole-lines") return &OcrSettings::TeachWholeLines;
  return nullptr;
}

std::optional<bool> ParseOnOff(const std::string& s) {
  if (s == "on") return true;
  if (s == "off") return false;
  return std::nullopt;
}

// "C" or "C,C,...": palette indices 0..3, the first the text body.
std::optional<std::vector<int>> ParseColourList(const std::string& s) {
  std::vector<int> list;
  size_t from = 0;
  for (;;) {
    const size_t comma = s.find(',', from);
    const auto index = ParseNumberIn(s.substr(from, comma - from), 0, 3);
    if (!index) return std::nullopt;
    list.push_back(static_cast<int>(*index));
    if (comma == std::string::npos) return list;
    from = comma + 1;
  }
}

bool ParseUnknownPolicy(ArgumentCursor& cursor, OcrOptions& options, UnknownPolicy policy) {
  if (options.policyGiven && options.policy != policy) {
    cursor.Fail("--teach and --unknown exclude each other");
    return false;
  }
  options.policyGiven = true;
  options.policy = policy;
  return true;
}

std::optional<bool> ParseOcrOption(ArgumentCursor& cursor, OcrOptions& o) {
  const std::string& word = cursor.Word();
  if (word == "--stream") {
    const auto n = cursor.Value("a stream number from 1 to 32", ParseStreamNumber);
    o.stream = n.value_or(0);
    return n.has_value();
  }
  if (word == "--matrix" || word == "--save-matrix" || word == "--config") {
    const auto path = cursor.Text("a file name");
    std::string& target = word == "--matrix"        ? o.matrix
                          : word == "--save-matrix" ? o.saveMatrix
                                                    : o.config;
    target = path.value_or("");
    return path.has_value();
  }
  if (word == "--teach") return ParseUnknownPolicy(cursor, o, UnknownPolicy::Teach);
  if (word == "--unknown") {
    const auto policy =
        cursor.Value("skip or fail", [](const std::string& s) -> std::optional<UnknownPolicy> {
          if (s == "skip") return UnknownPolicy::Skip;
          if (s == "fail") return UnknownPolicy::Fail;
          return std::nullopt;
        });
    return policy && ParseUnknownPolicy(cursor, o, *policy);
  }
  if (word == "--text-colour") {
    const auto list =
        cursor.Value("palette indices from 0 to 3, separated by commas", ParseColourList);
    if (!list) return false;
    o.textColour = static_cast<uint8_t>(list->front());
    for (size_t i = 1; i < list->size(); ++i) o.extraTextIndices |= 1u << (*list)[i];
    return true;
  }
  if (word == "--aids") {
    const auto aids = cursor.Value("off, recommended or all",
                                   [](const std::string& s) -> std::optional<std::string> {
                                     if (s == "off" || s == "recommended" || s == "all") return s;
                                     return std::nullopt;
                                   });
    o.allAids = aids;
    o.aids.clear();
    return aids.has_value();
  }
  if (bool OcrSettings::*aid = AidOption(word)) {
    const auto on = cursor.Value("on or off", ParseOnOff);
    if (on) o.aids.emplace_back(aid, *on);
    return on.has_value();
  }
  return std::nullopt;
}

const char* MissingOption(const OcrOptions& o) {
  return o.stream == 0      ? "--stream N is required"
         : o.matrix.empty() ? "--matrix FILE.sum is required"
         : o.files.empty()  ? "no VOB file given"
                            : nullptr;
}

std::optional<OcrOptions> ParseOptions(const std::vector<std::string>& args, std::ostream& err) {
  const CommandSyntax syntax{
      .name = "ocr", .usage = kUsage, .format = true, .startTime = true, .output = true};
  return ParseCommand<OcrOptions>(args, err, syntax, ParseOcrOption, MissingOption);
}

// Takes a fixed palette index without asking.
class FixedTextColour : public TextColourChooser {
 public:
  FixedTextColour(uint8_t index, uint8_t extra) : index_(index), extra_(extra) {}
  std::optional<uint8_t> ChooseTextColour(const Picture24&, TextColourState& state) override {
    state.ExtraTextIndices = extra_;
    return index_;
  }

 private:
  uint8_t index_;
  uint8_t extra_;
};

void ApplyAids(const OcrOptions& o, OcrSettings& settings) {
  if (o.allAids == "recommended") {
    SetRecommendedAids(settings);
  } else if (o.allAids) {
    SetRecognitionAids(settings, *o.allAids == "all");
  }
  for (const auto& [aid, on] : o.aids) settings.*aid = on;
}

// The inputs that must be there before the run: the title's files, the
// configuration, and the matrix unless it is to be started empty (which is
// said, as a mistyped name would otherwise go unnoticed).
std::optional<TitleInputs> LoadInputs(const OcrOptions& o, CharacterMatrix& matrix,
                                      Configuration& config, MessageBoxes& boxes,
                                      std::ostream& err) {
  std::optional<TitleInputs> title = SortTitleInputs(o.files, err);
  if (!title) return std::nullopt;
  if (!o.config.empty()) {
    if (!CheckReadable(o.config, err)) return std::nullopt;
    std::vector<std::string> notes;
    const FileResult loaded = LoadConfiguration(o.config, "", config, &notes);
    if (!loaded.ok) {
      err << "capter-cli: " << loaded.error << "\n";
      return std::nullopt;
    }
    for (const std::string& note : notes) err << "capter-cli: " << o.config << ": " << note << "\n";
  }
  std::error_code error;
  if (!std::filesystem::exists(o.matrix, error)) {
    err << "capter-cli ocr: " << o.matrix << " does not exist; a new matrix is started\n";
    return title;
  }
  if (!CheckReadable(o.matrix, err) || !matrix.Load(o.matrix, boxes)) return std::nullopt;
  return title;
}

// Both destinations are checked before the run, so that no teaching is
// asked for in vain: neither may be an input, and both must be writable.
bool CheckDestinations(const OcrOptions& o, std::ostream& err) {
  std::vector<std::string> inputs = o.files;
  if (!o.config.empty()) inputs.push_back(o.config);
  if (!o.saveMatrix.empty() && !CheckDestination(o.saveMatrix, inputs, err)) return false;
  inputs.push_back(o.matrix);
  return CheckDestination(o.output, inputs, err);
}

// Saves the matrix to --save-matrix. An empty matrix is not saved (the
// program's rule), which is said. When the save fails, what was taught is
// kept in a file of the temporary folder, named in the message.
bool SaveMatrix(const OcrOptions& o, CharacterMatrix& matrix, MessageBoxes& boxes,
                std::ostream& err) {
  if (matrix.Empty()) {
    err << "capter-cli ocr: " << Messages().GetMessage(kMessageMatrixEmpty) << "; " << o.saveMatrix
        << " not written\n";
    return false;
  }
  matrix.SetFileName(o.saveMatrix);
  if (matrix.Save(boxes)) return true;
  const std::string kept = (std::filesystem::temp_directory_path() /
                            ("capter-taught-" + std::to_string(::getpid()) + ".sum"))
                               .string();
  matrix.SetFileName(kept);
  if (matrix.Save(boxes)) {
    err << "capter-cli ocr: the matrix was not written to " << o.saveMatrix
        << "; what was taught is kept in " << kept << "\n";
  } else {
    err << "capter-cli ocr: the matrix was not written to " << o.saveMatrix << " nor to " << kept
        << "\n";
  }
  return false;
}

int Recognise(const OcrOptions& o, std::istream& in, std::ostream& out, std::ostream& err) {
  TerminalSession terminal(err, IsTerminal(err));
  RunSession& session = terminal.Session();
  CharacterMatrix& matrix = session.Matrix();
  Configuration config = DefaultConfiguration("");
  const std::optional<TitleInputs> title = LoadInputs(o, matrix, config, terminal.Boxes(), err);
  if (!title || !CheckDestinations(o, err)) return kExitFailed;
  session.Ocr() = config.ocr;
  ApplyAids(o, session.Ocr());

  DetectedTextColourChooser detected;
  FixedTextColour fixed(o.textColour.value_or(0), o.extraTextIndices);
  TextColourChooser& chooser = o.textColour ? static_cast<TextColourChooser&>(fixed) : detected;
  ReportingTextColourChooser reporting(chooser, err);
  reporting.SetBeforeReport([&terminal] { terminal.Progress().Clear(); });
  TerminalTeacher teacher(
      o.policy, in, err, [&session] { return session.Dispatch().CurrentTimes().start; },
      session.Colour());
  teacher.SetBeforePrompt([&terminal] { terminal.Progress().Clear(); });
  teacher.SetShowProposals(session.Ocr().Proposals);
  session.UseRecognition(teacher, reporting);
  session.Text().Options().settings = config.output;
  session.Text().SetOutputFormat(o.format.value_or(OutputFormatCode::Capter));

  const JobRequest request{.files = title->vobFiles,
                           .streamIndex = o.stream - 1,
                           .action = RunAction::Recognise,
                           .addTimingEntries = false,
                           .outputPath = {}};
  const bool finished = terminal.Execute(request, o.startTime);
  if (finished && !session.StreamFound()) {
    err << "capter-cli ocr: stream " << o.stream << " is not in the files\n";
    return kExitFailed;
  }
  if (teacher.Stopped() || !finished) {
    if (!teacher.FailedAt().empty()) {
      err << "capter-cli ocr: stopped at an unknown character\n" << teacher.FailedAt() << "\n";
    } else {
      err << "capter-cli ocr: stopped; nothing written\n";
    }
    return kExitFailed;
  }
  terminal.ReportDamage("ocr", err);
  if (teacher.Skipped() > 0) {
    err << "capter-cli ocr: " << teacher.Skipped() << " unknown characters left out\n";
  }
  // Everything that can be written is written, whatever else failed.
  const bool matrixSaved = o.saveMatrix.empty() || SaveMatrix(o, matrix, terminal.Boxes(), err);
  const bool textWritten = WriteOutput(o.output, FinalText(session.Text()), out, err);
  if (!textWritten) err << "capter-cli ocr: the text was not written\n";
  if (!matrixSaved || !textWritten) return kExitFailed;
  return terminal.Boxes().Warned() ? kExitFailed : kExitOk;
}

}  // namespace

int RunOcrCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                  std::ostream& err) {
  return RunCommand(
      args, out, err, ParseOptions,
      [&](const OcrOptions& options) { return Recognise(options, in, out, err); }, kUsage);
}

}  // namespace capter::cli
