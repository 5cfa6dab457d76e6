// What a read of a title passed over: damaged pack headers, units that could
// not be completed, and the unit a title's last file ends inside. The reader
// fills it; a front end shows it as one summary line.
#pragma once

#include <cstdint>
#include <string>

#include "stream/time_code.h"

namespace capter {

struct ReadDamage {
  uint32_t badHeaders = 0;     // sectors whose pack start code was wrong
  int64_t firstBadSector = 0;  // numbered from 1, as the bad-header question has it
  std::string firstBadFile;    // the file that sector is in
  uint32_t droppedUnits = 0;   // incomplete units dropped when the next unit began
  uint32_t headlessUnits = 0;  // units whose first packet was missing, dropped
  std::string cutFile;         // the last file read ends inside a unit ("" when not)
  TimeCode cutStart;           // that unit's start time

  bool Any() const {
    return badHeaders > 0 || droppedUnits > 0 || headlessUnits > 0 || !cutFile.empty();
  }
};

// "passed over: 3 bad pack headers (the first at sector 17 of a.vob), 1
// damaged unit, 1 unit without its first packet, b.vob ends inside a unit
// starting at 00:01:02,345"; empty when nothing was passed over. Files are
// named without their folder.
std::string DamageSummary(const ReadDamage& damage);

}  // namespace capter
