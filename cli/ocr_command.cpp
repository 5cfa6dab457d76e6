#include "cli/ocr_command.h"

#include <filesystem>
#include <optional>

#include "app/configuration.h"
#include "cli/command_options.h"
#include "cli/terminal_session.h"
#include "cli/terminal_teacher.h"
#include "ocr/character_matrix.h"
#include "ocr/recogniser.h"

namespace capter::cli {
namespace {

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

// The inputs that must be there before the run: VOB files, the
// configuration, and the matrix unless it is to be started empty.
bool LoadInputs(const OcrOptions& o, CharacterMatrix& matrix, Configuration& config,
                MessageBoxes& boxes, std::ostream& err) {
  for (const std::string& file : o.files) {
    if (!CheckReadable(file, err)) return false;
  }
  if (!o.config.empty()) {
    if (!CheckReadable(o.config, err)) return false;
    const FileResult loaded = LoadConfiguration(o.config, "", config);
    if (!loaded.ok) {
      err << "capter-cli: " << o.config << ": " << loaded.error << "\n";
      return false;
    }
  }
  std::error_code error;
  if (!std::filesystem::exists(o.matrix, error)) return true;
  if (!CheckReadable(o.matrix, err)) return false;
  return matrix.Load(o.matrix, boxes);
}

int Recognise(const OcrOptions& o, std::istream& in, std::ostream& out, std::ostream& err) {
  TerminalSession terminal(err, IsTerminal(err));
  RunSession& session = terminal.Session();
  CharacterMatrix& matrix = session.Matrix();
  Configuration config = DefaultConfiguration("");
  if (!LoadInputs(o, matrix, config, terminal.Boxes(), err)) return kExitFailed;
  session.Ocr() = config.ocr;

  DetectedTextColourChooser detected;
  FixedTextColour fixed(o.textColour.value_or(0));
  TextColourChooser& chooser = o.textColour ? static_cast<TextColourChooser&>(fixed) : detected;
  TerminalTeacher teacher(
      o.policy, in, err, [&session] { return session.Dispatch().CurrentTimes().start; },
      session.Colour());
  teacher.SetBeforePrompt([&terminal] { terminal.Progress().Clear(); });
  session.UseRecognition(teacher, chooser);
  session.Text().Options().settings = config.output;
  session.Text().SetOutputFormat(o.format.value_or(OutputFormatCode::Capter));

  const JobRequest request{.files = o.files,
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
  if (teacher.Skipped() > 0) {
    err << "capter-cli ocr: " << teacher.Skipped() << " unknown characters left out\n";
  }
  if (!o.saveMatrix.empty()) {
    matrix.SetFileName(o.saveMatrix);
    if (!matrix.Save(terminal.Boxes())) return kExitFailed;
  }
  if (!WriteOutput(o.output, FinalText(session.Text()), out, err)) return kExitFailed;
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
