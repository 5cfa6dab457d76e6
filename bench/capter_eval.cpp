// Evaluation of recognition against a truth file:
//
//   capter-eval --truth TRUTH.cpt --stream N [--train-until hh:mm:ss,mmm]
//               [--train-share PERCENT] [--text-colour C] [--space-width W]
//               [--ita-space-width W] [--max-height-diff D] [--sensibility S]
//               [--aids off|recommended|all] [--aid NAME]
//               [--labels CASE_DIR --fill C] [--show-errors]
//               [--dump-pictures DIR --fill C] FILE...
//
// Reads sub-picture stream N (0-based, sub-stream 0x20 + N) from the VOB
// FILEs in order, pairs every unit with the truth subtitle of the same start
// time, and teaches the matrix from the truth (a line with as many boxes as
// non-space characters is taught box by box, any other line is skipped) for
// the units starting before --train-until. The matrix is then frozen and the
// remaining units are recognised; an unknown shape reads as one wrong
// character. Without --train-until the whole stream is taught and then read
// again with the frozen matrix. --train-share teaches the first PERCENT of
// the sub-pictures instead. --aids sets the recognition aids (default: the
// settings' defaults, every aid but whole glyphs); --aid NAME turns one on
// (whole-glyphs, best-match, auto-spaces, split-touching, keep-small-marks,
// other-sizes, proposals, layered-detection, i-and-l-by-context,
// teach-whole-lines).
//
// With --labels, the teacher answers every box as a person would, from the
// case's glyphs.json and labels pictures (C: the fill's pixel code, to line
// the labels up with the decoded pictures); characters never taught are then
// left out of cer_test, whatever they read as, and counted in unseen_test. --show-errors prints
// every wrongly read subtitle of the first frozen pass on stderr.
// --dump-pictures writes every picture, text black on white, as
// DIR/subNNNN.pgm (NNNN the subtitle's number) for a peer recogniser.
//
// Prints one JSON object: subpictures, train_subpictures, test_subpictures,
// prompts (every question), line_prompts (questions about a whole line),
// unteachable_lines, matrix_entries, unknown_shapes_test, cer_test
// (Levenshtein distance over each subtitle's lines joined by a newline,
// summed, over the summed truth length), subpictures_per_s (recognition of
// the frozen part only: segmentation, matching and assembly; decoding
// excluded) and text_colour.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "bench/recognition_session.h"
#include "ocr/segmentation.h"
#include "ocr/text_colour.h"
#include "stream/time_code.h"
#include "tests/support/corpus.h"

namespace {

using namespace capter;
using capter::testing::DecodedCorpusUnit;
using capter::testing::ExpectedSubtitle;

struct Options {
  std::string truth;
  int stream = 0;
  std::optional<int32_t> trainUntilMs;
  int trainShare = 0;  // percent, 0 for none
  std::string labels;  // case folder
  uint8_t fill = 0;
  bool showErrors = false;
  std::string dump;  // folder for the pictures given to a peer recogniser
  std::optional<uint8_t> textColour;
  OcrSettings settings;
  std::vector<std::string> files;
};

[[noreturn]] void Usage(const char* problem) {
  std::fprintf(stderr,
               "capter-eval: %s\n"
               "usage: capter-eval --truth TRUTH.cpt --stream N [--train-until hh:mm:ss,mmm]\n"
               "       [--train-share PERCENT] [--text-colour C] [--space-width W]\n"
               "       [--ita-space-width W] [--max-height-diff D] [--sensibility S]\n"
               "       [--aids off|recommended|all]"
               "       [--aid NAME] [--labels CASE_DIR --fill C] [--show-errors]\n"
               "       [--dump-pictures DIR] FILE...\n",
               problem);
  std::exit(2);
}

Options ParseOptions(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const auto value = [&]() -> std::string {
      if (i + 1 >= argc) Usage(("missing value for " + arg).c_str());
      return argv[++i];
    };
    if (arg == "--truth") {
      o.truth = value();
    } else if (arg == "--stream") {
      o.stream = std::atoi(value().c_str());
    } else if (arg == "--train-until") {
      o.trainUntilMs = ToMilliseconds(ParseTimeCode(value()));
    } else if (arg == "--train-share") {
      o.trainShare = std::atoi(value().c_str());
    } else if (arg == "--aids") {
      const std::string aids = value();
      if (aids == "recommended") {
        SetRecommendedAids(o.settings);
      } else if (aids == "all" || aids == "off") {
        SetRecognitionAids(o.settings, aids == "all");
      } else {
        Usage("--aids takes off, recommended or all");
      }
    } else if (arg == "--aid") {
      const std::string name = value();
      OcrSettings& t = o.settings;
      bool* aid = name == "whole-glyphs"         ? &t.WholeGlyphs
                  : name == "best-match"         ? &t.BestMatch
                  : name == "auto-spaces"        ? &t.AutoSpaces
                  : name == "split-touching"     ? &t.SplitTouching
                  : name == "keep-small-marks"   ? &t.KeepSmallMarks
                  : name == "other-sizes"        ? &t.OtherSizes
                  : name == "proposals"          ? &t.Proposals
                  : name == "layered-detection"  ? &t.LayeredDetection
                  : name == "i-and-l-by-context" ? &t.IAndLByContext
                  : name == "teach-whole-lines"  ? &t.TeachWholeLines
                                                 : nullptr;
      if (aid == nullptr) Usage(("unknown aid " + name).c_str());
      *aid = true;
    } else if (arg == "--dump-pictures") {
      o.dump = value();
    } else if (arg == "--show-errors") {
      o.showErrors = true;
    } else if (arg == "--labels") {
      o.labels = value();
    } else if (arg == "--fill") {
      o.fill = static_cast<uint8_t>(std::atoi(value().c_str()) & 3);
    } else if (arg == "--text-colour") {
      o.textColour = static_cast<uint8_t>(std::atoi(value().c_str()) & 3);
    } else if (arg == "--space-width") {
      o.settings.SpaceWidth = std::atoi(value().c_str());
    } else if (arg == "--ita-space-width") {
      o.settings.ItaSpaceWidth = std::atoi(value().c_str());
    } else if (arg == "--sensibility") {
      o.settings.Sensibility = static_cast<uint16_t>(std::atoi(value().c_str()));
    } else if (arg == "--max-height-diff") {
      o.settings.MaxCharDiffHeight = static_cast<uint8_t>(std::atoi(value().c_str()));
    } else if (arg.starts_with("--")) {
      Usage(("unknown option " + arg).c_str());
    } else {
      o.files.push_back(arg);
    }
  }
  if (o.truth.empty() || o.files.empty()) Usage("--truth and at least one FILE are needed");
  return o;
}

// Levenshtein distance from `got` to `want`, where reading a character of
// `want` that `free` marks costs nothing, whether it is missed or read as
// any number of other characters. With nothing free it is the plain
// distance.
size_t Levenshtein(const std::string& got, const std::string& want,
                   const std::vector<bool>& free = {}) {
  const auto isFree = [&](size_t j) { return j < free.size() && free[j]; };
  std::vector<size_t> row(want.size() + 1);
  row[0] = 0;
  for (size_t j = 1; j <= want.size(); ++j) row[j] = row[j - 1] + !isFree(j - 1);
  for (size_t i = 1; i <= got.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= want.size(); ++j) {
      const size_t up = row[j];
      const bool gratis = isFree(j - 1);
      row[j] = std::min({row[j] + !gratis, row[j - 1] + !gratis,
                         diagonal + (!gratis && got[i - 1] != want[j - 1])});
      diagonal = up;
    }
  }
  return row[want.size()];
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\n" : "") + lines[i];
  return text;
}

struct Pair {
  const DecodedCorpusUnit* unit;
  const ExpectedSubtitle* truth;
  bench::SubtitleLabels labels;
  int dx = 0;
  int dy = 0;
};

std::string ReadFile(const std::string& path) {
  std::string text;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) text.append(buffer, n);
    std::fclose(f);
  }
  return text;
}

// Loads and lines up the labels of every pair's subtitle.
void LoadLabels(const Options& o, std::vector<Pair>& pairs) {
  const auto lists = bench::ReadGlyphLists(ReadFile(o.labels + "/glyphs.json"), o.stream);
  for (Pair& p : pairs) {
    char name[64];
    std::snprintf(name, sizeof name, "/images/stream%d/sub%04d.labels.png", o.stream,
                  p.truth->number);
    if (!bench::ReadLabels(o.labels + name, p.labels)) {
      std::fprintf(stderr, "capter-eval: cannot read %s%s\n", o.labels.c_str(), name);
      std::exit(1);
    }
    if (p.truth->number >= 1 && static_cast<size_t>(p.truth->number) <= lists.size()) {
      p.labels.characters = lists[p.truth->number - 1];
    }
    bench::AlignLabels(p.unit->picture, kPaletteGreys[o.fill], p.labels, p.dx, p.dy);
  }
}

// Writes every pair's picture as DIR/subNNNN.pgm for a peer recogniser:
// the text (the fill grey and the greys detection adds to it) black on
// white, with a white margin, as page recognisers expect.
void DumpPictures(const Options& o, const std::vector<Pair>& pairs) {
  constexpr int kMargin = 12;
  for (const Pair& p : pairs) {
    const Picture24& picture = p.unit->picture;
    const uint8_t text = static_cast<uint8_t>(
        (1u << o.fill) | ProposeExtraTextIndices(picture, kPaletteGreys, o.fill));
    char name[64];
    std::snprintf(name, sizeof name, "/sub%04d.pgm", p.truth->number);
    FILE* f = std::fopen((o.dump + name).c_str(), "wb");
    if (f == nullptr) continue;
    const int w = picture.Width() + 2 * kMargin, h = picture.Height() + 2 * kMargin;
    std::fprintf(f, "P5\n%d %d\n255\n", w, h);
    std::vector<uint8_t> row(static_cast<size_t>(w));
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const int px = x - kMargin, py = y - kMargin;
        bool ink = false;
        if (px >= 0 && py >= 0 && px < picture.Width() && py < picture.Height()) {
          const Colour c = picture.Pixel(px, py);
          for (uint8_t i = 0; i < 4; ++i) ink |= (text & (1u << i)) && c == kPaletteGreys[i];
        }
        row[static_cast<size_t>(x)] = ink ? 0 : 255;
      }
      std::fwrite(row.data(), 1, row.size(), f);
    }
    std::fclose(f);
  }
}

// For each character of `text`, whether it was never taught (line breaks
// and spaces count as taught).
std::vector<bool> Unseen(const std::string& text, const std::set<std::string>& seen) {
  std::vector<bool> unseen(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    unseen[i] = c != '\n' && c != ' ' && !seen.count(std::string(1, c));
  }
  return unseen;
}

// `text` without the characters `leaveOut` marks.
std::string Without(const std::string& text, const std::vector<bool>& leaveOut) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (!leaveOut[i]) out += text[i];
  }
  return out;
}

// The line's space threshold and its gaps (italic pairs marked "i"), each
// followed by [width x height @ top offset] of the box on its left.
void PrintGaps(const LineTable& table, const OcrSettings& settings) {
  for (int l = 0; l < table.count; ++l) {
    const TextLine& line = table.lines[l];
    std::fprintf(stderr, "    line %d h=%d threshold=%d gaps:", l, line.bottom - line.top + 1,
                 LineSpaceThreshold(line, settings));
    for (size_t j = 0; j + 1 < line.boxes.size(); ++j) {
      const CharBox& a = line.boxes[j];
      const int gap =
          j < line.wordGaps.size() ? line.wordGaps[j] : line.boxes[j + 1].Left - a.Left - a.Width;
      std::fprintf(stderr, " %d%s", gap, a.Italic && line.boxes[j + 1].Italic ? "i" : "");
      std::fprintf(stderr, "[%dx%d@%d]", a.Width, a.Height, a.TopOffset);
    }
    std::fprintf(stderr, "\n");
  }
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = ParseOptions(argc, argv);
  capter::testing::CorpusCase source;
  source.vobFiles = options.files;
  const std::vector<DecodedCorpusUnit> units =
      capter::testing::DecodeCorpusStream(source, options.stream);
  const std::vector<ExpectedSubtitle> truth = capter::testing::ReadExpectedSubtitles(options.truth);

  // Units the run would recognise, each with the truth subtitle it shows.
  std::vector<Pair> train, test;
  for (const DecodedCorpusUnit& unit : units) {
    if (!unit.worth) continue;
    const auto match = std::find_if(truth.begin(), truth.end(), [&](const ExpectedSubtitle& s) {
      return s.start == unit.start;
    });
    if (match == truth.end()) continue;
    const bool training =
        !options.trainUntilMs || ToMilliseconds(unit.start) < *options.trainUntilMs;
    (training ? train : test).push_back({&unit, &*match, {}, 0, 0});
  }
  if (options.trainShare > 0) {
    const size_t first = (train.size() * static_cast<size_t>(options.trainShare) + 99) / 100;
    test.assign(train.begin() + static_cast<std::ptrdiff_t>(std::min(first, train.size())),
                train.end());
    train.resize(std::min(first, train.size()));
  } else if (!options.trainUntilMs) {
    test = train;
  }
  if (!options.dump.empty()) {
    DumpPictures(options, train);
    if (options.trainShare > 0 || options.trainUntilMs) DumpPictures(options, test);
  }
  const bool byLabels = !options.labels.empty();
  if (byLabels) {
    LoadLabels(options, train);
    LoadLabels(options, test);
  }

  bench::RecognitionSession session(options.settings, options.textColour);
  if (byLabels) session.UseLabelTeacher();
  Picture24 work;
  size_t unteachable = 0;
  for (const Pair& p : train) {
    work = p.unit->picture;
    session.SetLabels(&p.labels, p.dx, p.dy, p.unit->area);
    session.Read(work, *p.unit, p.truth->lines);
    for (int l = 0; l < static_cast<int>(p.truth->lines.size()); ++l) {
      unteachable += !capter::testing::LineIsTeachable(session.Table(), l, p.truth->lines);
    }
  }
  const size_t prompts = session.Prompts();
  const size_t linePrompts = session.LinePrompts();
  if (options.showErrors) {
    std::fprintf(stderr, "taught:");
    for (size_t n = 1; n <= session.Matrix().Count(); ++n) {
      std::fprintf(stderr, " [%s]", session.Matrix().Entry(n).text.c_str());
    }
    std::fprintf(stderr, "\n");
  }
  const std::set<std::string>& seen = session.Labels().taught;
  session.Freeze();

  // The frozen part is read again until the timing covers at least 0.2 s;
  // every pass gives the same text, the first one is scored.
  size_t errors = 0, length = 0, timed = 0, unknownShapes = 0, unseen = 0;
  // Characters never taught can only be left out when the teacher said
  // what it taught, and only when the read part is not the taught one.
  const bool leaveOutUnseen = byLabels && (options.trainShare > 0 || options.trainUntilMs);
  double seconds = 0;
  using Clock = std::chrono::steady_clock;
  for (int pass = 0; !test.empty() && (pass == 0 || seconds < 0.2); ++pass) {
    for (const Pair& p : test) {
      work = p.unit->picture;  // the copy is made outside the timed part
      const auto start = Clock::now();
      session.Read(work, *p.unit, p.truth->lines);
      seconds += std::chrono::duration<double>(Clock::now() - start).count();
      ++timed;
      if (pass > 0) continue;
      const std::string want = Joined(p.truth->lines);
      const std::string got = Joined(session.Lines());
      // A character never taught is left out whatever it reads as: it may be
      // missed or read as any taught text at no cost.
      const std::vector<bool> free = leaveOutUnseen ? Unseen(want, seen) : std::vector<bool>{};
      const size_t wrong = Levenshtein(got, want, free);
      const size_t left = static_cast<size_t>(std::count(free.begin(), free.end(), true));
      unseen += left;
      if (wrong > 0 && options.showErrors) {
        std::fprintf(stderr, "#%d want [%s]\n    got  [%s]\n", p.truth->number,
                     leaveOutUnseen ? Without(want, free).c_str() : want.c_str(), got.c_str());
        PrintGaps(session.Table(), options.settings);
      }
      errors += wrong;
      length += want.size() - left;
    }
    if (pass == 0) unknownShapes = session.FrozenUnknowns();
  }

  std::printf(
      "{\"subpictures\": %zu, \"train_subpictures\": %zu, \"test_subpictures\": %zu, "
      "\"prompts\": %zu, \"unteachable_lines\": %zu, \"matrix_entries\": %zu, "
      "\"unknown_shapes_test\": %zu, \"cer_test\": %.4f, \"subpictures_per_s\": %.0f, "
      "\"text_colour\": %d, \"unseen_test\": %zu, \"proposals\": %zu, \"proposals_right\": %zu, "
      "\"errors_test\": %zu, \"line_prompts\": %zu}\n",
      options.trainUntilMs ? train.size() + test.size() : train.size(), train.size(), test.size(),
      prompts, unteachable, session.Matrix().Count(), unknownShapes,
      length ? static_cast<double>(errors) / length : 0.0, seconds > 0 ? timed / seconds : 0.0,
      session.TextColourIndex(), unseen, session.Labels().proposals,
      session.Labels().proposalsRight, errors, linePrompts);
  return 0;
}
