// The two SubViewer formats: SubViewer (seconds, a gap marker before an entry
// that follows a pause, lines joined with '|') and SubViewer 2 (hundredths,
// start and stop, lines joined with "[br]").
#pragma once

#include "text/output_format.h"

namespace capter {

void AppendSubViewerHeader(const SubViewerFields& fields, TextLines& list);
void RenderSubViewer(uint16_t number, const SubtitleRecord& copy, const TimeCode* previousStop,
                     const SubViewerFields& fields, TextLines& list);
TextLines SubViewerFooter();

void AppendSubViewer2Header(const SubViewer2Fields& fields, TextLines& list);
void RenderSubViewer2(const SubtitleRecord& copy, TextLines& list);

// The font line of the SubViewer 2 header.
std::string SubViewer2FontLine(const FontDescription& font);

}  // namespace capter
