// The IAuthor OGT script: generated from the subtitle table when saving, one
// page per bitmap entry with its colours, region, blend and display times.
#pragma once

#include "text/output_format.h"
#include "text/split_range.h"

namespace capter {

// Header and every page, without the closing empty line that saving adds.
TextLines IAuthorScript(const SubtitleTable& table, const SplitRange& split,
                        const OutputFormatSettings& settings, const std::string& generatedAt);

// The shared minimum-interval rule: when 0 <= next start - stop < minimum,
// the stop moves to next start - minimum (never below zero).
int32_t StopWithMinimumInterval(int32_t stop, int32_t nextStart, int32_t minimum);

}  // namespace capter
