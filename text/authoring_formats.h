// The list formats of the disc-authoring tools: Philips SVCD Designer (one
// line per bitmap with frame times and the bitmap's size and position) and
// Sonic DVD Creator (numbered frame-time lines).
#pragma once

#include "text/output_format.h"

namespace capter {

void AppendPhilipsHeader(const OutputFormatSettings& settings, const std::string& title,
                         const std::string& generatedAt, TextLines& list);
void RenderPhilips(const SubtitleRecord& copy, const OutputFormatSettings& settings,
                   TextLines& list);
void RenderSonic(uint16_t number, const SubtitleRecord& copy, const OutputFormatSettings& settings,
                 TextLines& list);

}  // namespace capter
