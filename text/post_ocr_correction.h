// Rewriting recognised text where shapes are commonly confused: doubled
// quote characters become one double quote, and every I or l is decided
// from its neighbours by the rules of the chosen language.
#pragma once

#include <string>

#include "stream/subtitle_table.h"

namespace capter {

enum class CorrectionLanguage { English, French, German };

struct PostOcrCorrection {
  bool mergeQuotes = true;  // '' and "" become "
  bool correctIAndL = false;
  CorrectionLanguage language = CorrectionLanguage::English;
};

// Two apostrophes or two double quotes in a row become one double quote; a
// merged pair's second character does not start a new pair.
std::string MergeDoubledQuotes(const std::string& line);

// Corrects one line. `context` is the character before the line: a full stop
// for the first line of a subtitle, else the last character of the
// (corrected) line before it.
std::string CorrectIAndL(const std::string& line, char context, CorrectionLanguage language);

// Both rule sets over every line of every entry, as chosen. False when
// neither was chosen (nothing changed).
bool ApplyPostOcrCorrection(SubtitleTable& table, const PostOcrCorrection& choice);

}  // namespace capter
