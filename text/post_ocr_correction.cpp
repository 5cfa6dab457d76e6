#include "text/post_ocr_correction.h"

#include <algorithm>
#include <vector>

#include "base/i_and_l_rules.h"

namespace capter {
namespace {

IAndLRules RulesOf(CorrectionLanguage language) {
  switch (language) {
    case CorrectionLanguage::French:
      return IAndLRules::French;
    case CorrectionLanguage::German:
      return IAndLRules::German;
    case CorrectionLanguage::English:
      break;
  }
  return IAndLRules::English;
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
  std::string result = line;
  std::vector<size_t> letters;
  for (size_t p = 0; p < result.size(); ++p) {
    if (result[p] == 'I' || result[p] == 'l') letters.push_back(p);
  }
  DecideIAndL(result, context, RulesOf(language), letters);
  return result;
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
