#include "text/post_ocr_correction.h"

#include <algorithm>

namespace capter {
namespace {

bool IsUpper(char c) {
  return c >= 'A' && c <= 'Z';
}

// The neighbours of one position of the working string.
struct Neighbours {
  char p2, p1, n1, n2;
};

bool EnglishOnly(const Neighbours& c) {
  return c.p1 == '"' || (c.p2 == '"' && c.p1 == ' ');  // 7
}

bool EnglishAndGerman(const Neighbours& c) {
  return ((c.n1 == '\'' || c.n2 == '\'') && c.p1 == ' ') ||  // 1
         (c.p1 == ' ' && c.n1 == ' ') ||                     // 2
         (c.p1 == ' ' && c.n1 == 't' && c.n2 == ' ');        // 3
}

bool AllLanguages(const Neighbours& c) {
  return (c.p1 == '.' && c.p2 != '.') || (c.p1 == ' ' && c.p2 == '.') ||                   // 4
         (c.p1 == '-' && (c.p2 == ' ' || c.p2 == '-')) || (c.p1 == ' ' && c.p2 == '-') ||  // 5
         c.p1 == '[' || (c.p2 == '[' && c.p1 == ' ') ||                                    // 6
         IsUpper(c.n1) || (IsUpper(c.p1) && c.p1 != 'I' && c.n1 == ' ') ||                 // 8
         (c.n1 == 'l' && (c.n2 == 'l' || (c.p1 == ' ' && c.n2 == ' ')));                   // 9
}

bool GermanOnly(const Neighbours& c) {
  static const std::string kFollowers = "ndhcrs";
  return c.p1 == ' ' && c.n1 != '\0' && kFollowers.find(c.n1) != std::string::npos;  // 10
}

bool BecomesCapitalI(const Neighbours& c, CorrectionLanguage language) {
  if (AllLanguages(c)) return true;
  switch (language) {
    case CorrectionLanguage::English:
      return EnglishAndGerman(c) || EnglishOnly(c);
    case CorrectionLanguage::German:
      return EnglishAndGerman(c) || GermanOnly(c);
    case CorrectionLanguage::French:
      return false;
  }
  return false;
}

}  // namespace

std::string MergeDoubledQuotes(const std::string& line) {
  std::string result;
  result.reserve(line.size());
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if ((c == '\'' || c == '"') && i + 1 < line.size() && line[i + 1] == c) {
      result += '"';
      ++i;
    } else {
      result += c;
    }
  }
  return result;
}

std::string CorrectIAndL(const std::string& line, char context, CorrectionLanguage language) {
  if (line.empty()) return line;
  std::string w = std::string(1, context) + " " + line + "  ";
  std::replace(w.begin() + 2, w.end(), 'I', 'l');
  // The line's own characters are w[2 .. size-3]; two characters of context
  // on each side keep every neighbour inside w.
  for (size_t p = 2; p + 2 < w.size(); ++p) {
    if (w[p] != 'l') continue;
    const Neighbours n{w[p - 2], w[p - 1], w[p + 1], w[p + 2]};
    if (BecomesCapitalI(n, language)) w[p] = 'I';
  }
  return w.substr(2, w.size() - 4);
}

bool ApplyPostOcrCorrection(SubtitleTable& table, const PostOcrCorrection& choice) {
  if (!choice.mergeQuotes && !choice.correctIAndL) return false;
  for (uint16_t i = 1; i <= table.Count(); ++i) {
    SubtitleRecord& entry = table.At(i);
    const int count = std::min<int>(entry.lineCount, kMaxSubtitleLines);
    if (choice.mergeQuotes) {
      for (int k = 0; k < count; ++k) {
        std::string& line = entry.lines[static_cast<size_t>(k)];
        line = MergeDoubledQuotes(line);
      }
    }
    if (choice.correctIAndL) {
      char context = '.';
      for (int k = 0; k < count; ++k) {
        std::string& line = entry.lines[static_cast<size_t>(k)];
        line = CorrectIAndL(line, context, choice.language);
        // After an empty line the next one is treated like a subtitle's first.
        context = line.empty() ? '.' : line.back();
      }
    }
  }
  return true;
}

}  // namespace capter
