// What the reader finds in a title: per sub-picture stream its unit count
// and time span, and optionally every unit of one stream.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/message_box.h"
#include "stream/ifo_languages.h"
#include "stream/picture.h"
#include "stream/read_damage.h"
#include "stream/time_code.h"

namespace capter::cli {

struct UnitRow {
  TimeCode start;
  TimeCode stop;  // zero when the unit carries no stop
  Rect area;
  size_t bytes = 0;
  bool worth = false;
};

struct StreamSummary {
  int number = 0;  // 1..32
  uint8_t id = 0;  // 0x20..0x3F
  std::string language;
  uint32_t units = 0;
  uint32_t dropped = 0;  // units left out: damaged, without their first packet, cut off
  TimeCode firstStart;
  TimeCode lastStop;
};

struct SurveyRequest {
  std::vector<std::string> vobFiles;  // read in this order as one title
  StreamNames names;                  // from an IFO, empty otherwise
  TimeCode startTime;                 // the time the title's first pack is shown at
  int listedStream = 0;               // 1..32 to list its units, 0 for none
};

struct Survey {
  std::string system;  // "PAL", "NTSC" or "unknown"
  uint32_t badHeaders = 0;
  uint64_t packs = 0;                  // sectors with a good pack header
  ReadDamage damage;                   // of the first pass
  std::vector<StreamSummary> streams;  // streams present, by number
  std::vector<UnitRow> units;          // of the listed stream
  bool failed = false;                 // a file could not be read
};

// Reads the title once per stream present (at least once). Questions and
// warnings go to `boxes`.
Survey SurveyStreams(const SurveyRequest& request, MessageBoxes& boxes);

}  // namespace capter::cli
