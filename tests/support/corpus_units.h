// The units of one corpus stream as the real reader and decoder give them.
#pragma once

#include <cstdint>
#include <vector>

#include "stream/picture.h"
#include "stream/time_code.h"
#include "tests/support/corpus.h"

namespace capter::testing {

struct DecodedCorpusUnit {
  TimeCode start;
  TimeCode stop;  // zero when the unit carries no stop
  Rect area;      // display area of the first control sequence
  bool worth = false;
  Picture24 picture;
  std::vector<uint8_t> bytes;  // the unit as collected
};

// Reads the case's VOB files in order with the reader (time base at zero,
// bad headers answered Yes to All) and decodes every unit of sub-picture
// stream 0x20 + streamIndex.
std::vector<DecodedCorpusUnit> DecodeCorpusStream(const CorpusCase& c, int streamIndex);

}  // namespace capter::testing
