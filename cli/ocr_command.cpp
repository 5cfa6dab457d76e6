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
    "                      [--text-colour 0..3] [--config FILE.ini] [-o OUT] VOB...\n"
    "\n"
    "Recognises sub-picture stream N (1..32) of the VOB files, read in the order\n"
    "given as one title, into subtitle text (own format and stdout by default).\n"
    "  --matrix FILE.sum       character matrix to start from (may not exist yet)\n"
    "  --save-matrix FILE.sum  write the matrix, with what was taught, at the end\n"
    "  --start-time T          the time the title's first pack is shown at\n"
    "  --teach                 ask on the terminal for every unknown character\n"
    "  --unknown skip|fail     leave unknown characters out (default) or stop\n"
    "  --text-colour 0..3      palette index of the text body (default: detected)\n"
    "  --config FILE.ini       recognition limits and output format settings\n"
    "  -o OUT                  write the text to OUT instead of stdout ('-')\n"
    "\n"
    "With --teach each unknown character is drawn on stderr, followed by the line\n"
    "'unknown: start=hh:mm:ss,mmm line=L/NL char=J/NC' and the prompt 'text> '.\n"
    "Answer with its text (up to 20 characters; empty teaches it as nothing),\n"
    "':skipline', ':skipsub' or ':quit' (stops without writing anything).\n";

struct OcrOptions : CommonOptions {
  int stream = 0;
  std::string matrix;
  std::string saveMatrix;
  UnknownPolicy policy = UnknownPolicy::Skip;
  bool policyGiven = false;
  std::optional<uint8_t> textColour;
  std::string config;
};

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
    const auto index = cursor.Value("a palette index from 0 to 3",
                                    [](const std::string& s) { return ParseNumberIn(s, 0, 3); });
    if (index) o.textColour = static_cast<uint8_t>(*index);
    return index.has_value();
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
  explicit FixedTextColour(uint8_t index) : index_(index) {}
  std::optional<uint8_t> ChooseTextColour(const Picture24&, TextColourState&) override {
    return index_;
  }

 private:
  uint8_t index_;
};

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

  DetectedTextColourChooser detected;
  FixedTextColour fixed(o.textColour.value_or(0));
  TextColourChooser& chooser = o.textColour ? static_cast<TextColourChooser&>(fixed) : detected;
  ReportingTextColourChooser reporting(chooser, err);
  reporting.SetBeforeReport([&terminal] { terminal.Progress().Clear(); });
  TerminalTeacher teacher(
      o.policy, in, err, [&session] { return session.Dispatch().CurrentTimes().start; },
      session.Colour());
  teacher.SetBeforePrompt([&terminal] { terminal.Progress().Clear(); });
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
