#include "tests/stream/vob_builder.h"

#include <algorithm>
#include <fstream>

namespace capter::testing {
namespace {

constexpr size_t kSector = 2048;

void Put16(Bytes& b, size_t at, uint32_t v) {
  b[at] = static_cast<uint8_t>(v >> 8);
  b[at + 1] = static_cast<uint8_t>(v);
}

void StartCode(Bytes& b, size_t at, uint8_t code) {
  b[at] = 0;
  b[at + 1] = 0;
  b[at + 2] = 1;
  b[at + 3] = code;
}

// Pack header with the clock reference's 32 low bits in MPEG-2 layout.
Sector Pack(uint32_t clock) {
  Sector s(kSector, 0);
  StartCode(s, 0, 0xBA);
  const uint64_t scr = clock;
  const uint32_t a = 0x40000000u | static_cast<uint32_t>((scr >> 30) & 7) << 27 | 1u << 26 |
                     static_cast<uint32_t>((scr >> 15) & 0x7FFF) << 11 | 1u << 10 |
                     static_cast<uint32_t>((scr >> 5) & 0x3FF);
  s[4] = static_cast<uint8_t>(a >> 24);
  s[5] = static_cast<uint8_t>(a >> 16);
  s[6] = static_cast<uint8_t>(a >> 8);
  s[7] = static_cast<uint8_t>(a);
  Put16(s, 8, static_cast<uint32_t>(scr & 0x1F) << 11 | 1u << 10 | 1u);
  s[10] = 0x01;
  s[11] = 0x89;
  s[12] = 0xC3;
  s[13] = 0xF8;
  return s;
}

void PaddingPacket(Sector& s, size_t at) {
  if (at + 6 > kSector) return;
  StartCode(s, at, 0xBE);
  Put16(s, at + 4, static_cast<uint32_t>(kSector - at - 6));
  std::fill(s.begin() + static_cast<long>(at) + 6, s.end(), 0xFF);
}

}  // namespace

Sector VideoPack(uint32_t clock) {
  Sector s = Pack(clock);
  StartCode(s, 14, 0xE0);
  Put16(s, 18, kSector - 20);
  return s;
}

Sector NavigationPack(uint32_t clock, uint8_t hours, uint8_t minutes, uint8_t seconds,
                      uint8_t frames) {
  Sector s = Pack(clock);
  StartCode(s, 14, 0xBB);
  Put16(s, 18, 18);
  s[69] = hours;
  s[70] = minutes;
  s[71] = seconds;
  s[72] = frames;
  return s;
}

Sector SubPicturePack(uint32_t clock, const SubPacket& packet) {
  Sector s = Pack(clock);
  StartCode(s, 14, 0xBD);
  s[20] = 0x81;
  const size_t headerLength = packet.pts ? 5 : 0;
  s[21] = packet.pts ? 0x80 : 0x00;
  s[22] = static_cast<uint8_t>(headerLength);
  if (packet.pts) {
    const uint32_t pts = *packet.pts;
    s[23] = static_cast<uint8_t>(0x21 | ((pts >> 30) & 7) << 1);
    Put16(s, 24, ((pts >> 15) & 0x7FFF) << 1 | 1);
    Put16(s, 26, (pts & 0x7FFF) << 1 | 1);
  }
  const size_t idAt = 23 + headerLength;
  s[idAt] = packet.subStream;
  const size_t room = kSector - idAt - 1;
  const size_t n = std::min(room, packet.payload.size());
  std::copy_n(packet.payload.begin(), n, s.begin() + static_cast<long>(idAt) + 1);
  const size_t length = headerLength + 4 + n;  // flags, header length, header, id, payload
  Put16(s, 18, static_cast<uint32_t>(length));
  if (packet.padding) PaddingPacket(s, 20 + length);
  return s;
}

std::vector<Sector> UnitPacks(uint32_t clock, uint32_t pts, const Bytes& unit, size_t chunk,
                              uint8_t subStream) {
  std::vector<Sector> packs;
  for (size_t at = 0; at < unit.size(); at += chunk) {
    SubPacket p;
    p.subStream = subStream;
    p.payload.assign(unit.begin() + static_cast<long>(at),
                     unit.begin() + static_cast<long>(std::min(unit.size(), at + chunk)));
    if (at == 0) p.pts = pts;
    p.padding = at + chunk >= unit.size();
    packs.push_back(SubPicturePack(clock, p));
  }
  return packs;
}

Bytes MakeUnit(int x1, int y1, int x2, int y2, const Bytes& topField, const Bytes& bottomField,
               std::optional<uint16_t> stopDelay) {
  Bytes u(4);
  const size_t top = u.size();
  u.insert(u.end(), topField.begin(), topField.end());
  const size_t bottom = u.size();
  u.insert(u.end(), bottomField.begin(), bottomField.end());
  const size_t control = u.size();
  const size_t startLength = 4 + 1 + 3 + 3 + 7 + 5 + 1;
  const size_t stopAt = control + startLength;
  const size_t startNext = stopDelay ? stopAt : control;
  const Bytes start = {0,
                       0,
                       static_cast<uint8_t>(startNext >> 8),
                       static_cast<uint8_t>(startNext),
                       0x01,
                       0x03,
                       0x01,
                       0x23,
                       0x04,
                       0xFF,
                       0xF0,
                       0x05,
                       static_cast<uint8_t>(x1 >> 4),
                       static_cast<uint8_t>((x1 & 0xF) << 4 | x2 >> 8),
                       static_cast<uint8_t>(x2),
                       static_cast<uint8_t>(y1 >> 4),
                       static_cast<uint8_t>((y1 & 0xF) << 4 | y2 >> 8),
                       static_cast<uint8_t>(y2),
                       0x06,
                       static_cast<uint8_t>(top >> 8),
                       static_cast<uint8_t>(top),
                       static_cast<uint8_t>(bottom >> 8),
                       static_cast<uint8_t>(bottom),
                       0xFF};
  u.insert(u.end(), start.begin(), start.end());
  if (stopDelay) {
    const Bytes stop = {static_cast<uint8_t>(*stopDelay >> 8),
                        static_cast<uint8_t>(*stopDelay),
                        static_cast<uint8_t>(stopAt >> 8),
                        static_cast<uint8_t>(stopAt),
                        0x02,
                        0xFF};
    u.insert(u.end(), stop.begin(), stop.end());
  }
  Put16(u, 0, static_cast<uint32_t>(u.size()));
  Put16(u, 2, static_cast<uint32_t>(control));
  return u;
}

std::string WriteSectors(const std::string& path, const std::vector<Sector>& sectors) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (const Sector& s : sectors)
    out.write(reinterpret_cast<const char*>(s.data()), static_cast<long>(s.size()));
  return path;
}

void Append(std::vector<Sector>& to, const std::vector<Sector>& more) {
  to.insert(to.end(), more.begin(), more.end());
}

}  // namespace capter::testing
