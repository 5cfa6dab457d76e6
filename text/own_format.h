// The program's own timed-text format: number, timing line (optionally with
// the picture's coordinates), text lines, empty line.
#pragma once

#include <cstdint>

#include "text/output_format.h"

namespace capter {

// `number` is the entry number plus the index offset.
void RenderOwnFormat(int64_t number, const SubtitleRecord& copy, bool extended, TextLines& list);

}  // namespace capter
