// Building small program streams and sub-picture units byte by byte, for
// tests of the reader and the decoder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace capter::testing {

using Bytes = std::vector<uint8_t>;
using Sector = std::vector<uint8_t>;  // 2048 bytes

// A pack with the given clock reference whose first packet is a video
// packet (neither navigation nor private stream).
Sector VideoPack(uint32_t clock);
// A navigation pack whose cell elapsed time is the four BCD bytes given.
Sector NavigationPack(uint32_t clock, uint8_t hours, uint8_t minutes, uint8_t seconds,
                      uint8_t frames);

struct SubPacket {
  uint8_t subStream = 0x20;
  Bytes payload;
  std::optional<uint32_t> pts;  // written with the PES time-stamp flag set
  bool padding = true;          // a padding packet follows in the sector
};
// A pack carrying one private-stream-1 packet, then padding if asked.
Sector SubPicturePack(uint32_t clock, const SubPacket& packet);

// Splits a unit into packets of at most `chunk` bytes; the first carries
// `pts`, the last is followed by padding.
std::vector<Sector> UnitPacks(uint32_t clock, uint32_t pts, const Bytes& unit, size_t chunk = 2000,
                              uint8_t subStream = 0x20);

// A complete sub-picture unit: the given line data for the top and bottom
// fields, a start sequence (delay 0, area, line offsets) and, when
// `stopDelay` is given, a stop sequence.
Bytes MakeUnit(int x1, int y1, int x2, int y2, const Bytes& topField, const Bytes& bottomField,
               std::optional<uint16_t> stopDelay);

// Writes sectors to a file, returns its path.
std::string WriteSectors(const std::string& path, const std::vector<Sector>& sectors);

void Append(std::vector<Sector>& to, const std::vector<Sector>& more);

}  // namespace capter::testing
