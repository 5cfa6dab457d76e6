// Reading a file of the program's own format back into the subtitle table.
// The reader is line based and tolerant: every line is trimmed, the times sit
// in fixed columns, a time that cannot be parsed becomes zero, and a block
// whose number or coordinates cannot be read is reported with a prompt that
// skips it, skips all such blocks, or stops reading.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/subtitle_text_model.h"

namespace capter {

struct ReadReport {
  bool reachedEnd = false;  // false after Cancel or when the table filled up
  size_t entriesAdded = 0;
  size_t linesDropped = 0;     // text lines after the 10th of a block
  size_t blocksTruncated = 0;  // blocks that had such lines
  bool tableFull = false;      // blocks after the 15000th entry were not read
};

// Appends every block of `bytes` to the model's table through AddSubtitle
// (without listing), sets the index offset from the first number and the
// Extended option from the timing lines. Prompts go to the model's boxes.
ReadReport ReadCapterText(std::string_view bytes, SubtitleTextModel& model);

// The question before another file replaces unsaved text. True when the
// opening may go on; the text then counts as saved.
bool ConfirmOpenAnother(SubtitleTextModel& model);

enum class OpenOutcome { NotAFile, ReadFailed, Declined, Stopped, Complete };

// Replaces the table with the contents of `path` and lists it again in the
// current format; the split range is switched off. A file that cannot be
// read is reported and leaves the table as it was.
OpenOutcome OpenCapterFile(SubtitleTextModel& model, const std::string& path);

// The warning shown when a file held more than the table can take; empty
// when nothing was dropped.
std::string ExcessWarning(const ReadReport& report);

}  // namespace capter
