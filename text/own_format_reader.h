// Reading a file of the program's own format back into the subtitle table.
// The reader is line based and tolerant: every line is trimmed, the times sit
// in fixed columns, a time that cannot be parsed becomes zero, and a block
// whose number or coordinates cannot be read is reported with a prompt that
// skips it, skips all such blocks, or stops reading.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "text/subtitle_text_model.h"

namespace capter {

struct ReadReport {
  bool reachedEnd = false;  // false after Cancel or when the table filled up
  size_t entriesAdded = 0;
  size_t linesDropped = 0;     // text lines after the 10th of a block
  size_t blocksTruncated = 0;  // blocks that had such lines
  bool tableFull = false;      // blocks after the 15000th entry were not read
  // Where each stretch of damaged lines that was passed over began (line
  // numbers from 1); one entry per damaged block.
  std::vector<size_t> passedOverAt;
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
// read is reported and leaves the table as it was. `report`, when given,
// receives what the reader found.
OpenOutcome OpenCapterFile(SubtitleTextModel& model, const std::string& path,
                           ReadReport* report = nullptr);

// The warning shown when a file held more than the table can take; empty
// when nothing was dropped.
std::string ExcessWarning(const ReadReport& report);

// "passed over 2 damaged blocks at lines 5, 17"; empty when none was.
std::string PassedOverNote(const ReadReport& report);

// A file that begins with the UTF-8 byte-order mark is UTF-8 text: the mark
// is dropped and the text converted to Windows-1252. Other bytes are
// returned as they are.
std::string WithoutUtf8Mark(std::string bytes);

}  // namespace capter
