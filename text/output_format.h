// The six output formats: their codes, the per-entry rendering into the
// lines of the text list, the headers written before the first entry, the
// footers added when saving, and the save dialog's filter and extension.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "stream/subtitle_table.h"
#include "text/output_format_settings.h"

namespace capter {

// The lines of the subtitle text, one item per line of the file (without the
// CR LF that ends each line in the file).
using TextLines = std::vector<std::string>;

// The order of the format dialog's tabs.
enum class OutputFormatCode : uint8_t {
  Capter = 0,
  SubViewer = 1,
  SubViewer2 = 2,
  IAuthor = 3,  // listed as the own format with coordinates
  Philips = 4,
  Sonic = 5,
};

inline constexpr int kOutputFormatCount = 6;

// Appends the lines of one entry. `number` is the entry's number in the
// table; `copy` is the (possibly split-adjusted) entry; `previousStop` is the
// stop of the previous table entry as stored, or null for entry 1 (only
// SubViewer looks at it).
void RenderEntry(OutputFormatCode format, uint16_t number, const SubtitleRecord& copy,
                 const TimeCode* previousStop, const OutputFormatOptions& options, TextLines& list);

// Appends the header a refresh writes before the first entry (none for the
// own, IAuthor and Sonic formats). `generatedAt` is the local date and time
// the Philips header names.
void AppendHeader(OutputFormatCode format, const OutputFormatOptions& options,
                  const std::string& generatedAt, TextLines& list);

// Lines a save adds after the list: the SubViewer end marks, the IAuthor
// script's closing empty line, nothing for the others.
TextLines Footer(OutputFormatCode format);

// ".cpt", ".sub" or ".txt".
std::string FileExtension(OutputFormatCode format);

struct SaveDialogSetup {
  std::string filter;  // descriptions and patterns separated by '|'
  std::string defaultExtension;
};
SaveDialogSetup SaveDialogFor(OutputFormatCode format);

// Filter of the dialog that opens a file of the own format.
inline constexpr const char* kOpenCapterTextFilter = "Capter Text File (*.cpt)|*.cpt|All (*.*)|*.*";

// The current local date and time as the generated headers show it.
std::string LocalDateTimeText();

}  // namespace capter
