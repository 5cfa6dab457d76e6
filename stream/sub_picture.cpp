#include "stream/sub_picture.h"

#include <algorithm>

namespace capter {
namespace {

enum Command : uint8_t {
  kForcedStart = 0x00,
  kStart = 0x01,
  kStop = 0x02,
  kColour = 0x03,
  kContrast = 0x04,
  kArea = 0x05,
  kLineOffsets = 0x06,
  kColourChange = 0x07,
  kEnd = 0xFF,
};

int ClampSize(uint16_t size, int limit) {
  if (size == 0) return 1;
  return size > limit ? limit : size;
}

}  // namespace

void SubPicture::Parse(std::span<const uint8_t> unit, const TimeCode& start, int32_t sector) {
  bytes_ = unit;
  unitStart_ = start;
  sector_ = sector;
  controls_.clear();
  scannedBytes_ = 0;
  // Offsets must grow from one sequence to the next, so the chain ends on a
  // sequence that points to itself or backwards, or when the table is full.
  DisplayControl entry;
  uint16_t offset = ControlOffset();
  while (true) {
    ParseSequence(offset, entry);
    controls_.push_back(entry);
    if (entry.next <= offset || Count() == kMaxDisplayControls) break;
    offset = entry.next;
  }
  const Rect& area = First().area;
  width_ = ClampSize(static_cast<uint16_t>(area.x2 - area.x1 + 1), kScreenWidth);
  height_ = ClampSize(static_cast<uint16_t>(area.y2 - area.y1 + 1), kScreenHeight);
}

void SubPicture::ParseSequence(uint16_t offset, DisplayControl& entry) {
  entry.delay = DelayToMilliseconds(ReadWord(offset));
  entry.next = ReadWord(offset + 2u);
  entry.mode = DisplayMode::Show;
  entry.contrast = 0xFFF0;
  // Commands are read below the unit size and below what was collected,
  // and never into the next sequence of the chain: a sequence without its
  // end byte then costs only its own bytes, so a whole unit is read once.
  size_t end = std::min<size_t>(UnitSize(), bytes_.size());
  if (entry.next > offset) end = std::min<size_t>(end, entry.next);
  size_t at = offset + 4u;
  while (at < end) {
    ++scannedBytes_;
    const uint8_t command = bytes_[at++];
    switch (command) {
      case kForcedStart:
      case kStart:
        entry.mode = DisplayMode::Show;
        break;
      case kStop:
        entry.mode = DisplayMode::Hide;
        break;
      case kColour:
        entry.colour = ReadWord(at);
        at += 2;
        break;
      case kContrast:
        entry.contrast = ReadWord(at);
        at += 2;
        break;
      case kArea: {
        const uint8_t b0 = ByteAt(at), b1 = ByteAt(at + 1), b2 = ByteAt(at + 2);
        const uint8_t b3 = ByteAt(at + 3), b4 = ByteAt(at + 4), b5 = ByteAt(at + 5);
        entry.area = Rect{b0 * 16 + (b1 >> 4), b3 * 16 + (b4 >> 4), (b1 & 0x0F) * 256 + b2,
                          (b4 & 0x0F) * 256 + b5};
        at += 6;
        break;
      }
      case kLineOffsets:
        entry.topLineOffset = ReadWord(at);
        entry.bottomLineOffset = ReadWord(at + 2);
        at += 4;
        break;
      case kColourChange:
        // The size counts its own two bytes; a size below 2 still moves on.
        at += std::max<uint16_t>(ReadWord(at), 2);
        break;
      case kEnd:
        return;
      default:
        break;
    }
  }
}

SubtitleTimes ComputeSubtitleTimes(const SubPicture& unit) {
  SubtitleTimes times;
  times.start = Add(unit.UnitStart(), FromMilliseconds(unit.First().delay));
  if (unit.Count() >= 2 && unit.Last().mode == DisplayMode::Hide) {
    times.stop = Add(unit.UnitStart(), FromMilliseconds(unit.Last().delay));
  }
  return times;
}

bool WorthRecognising(const SubPicture& unit) {
  if (unit.First().mode != DisplayMode::Show) return false;
  if (unit.Count() == 1 || unit.Last().mode != DisplayMode::Hide) return true;
  return unit.First().delay + 200 < unit.Last().delay;
}

bool ClosePreviousSubtitle(SubtitleTable& table, const TimeCode& start, SubtitleListing* listing) {
  if (table.Empty() || !IsZero(table.Last().stop)) return false;
  if (listing) listing->RemoveLastListed();
  table.Last().stop = start;
  if (listing) listing->ListSubtitle(table.Count(), true);
  return true;
}

}  // namespace capter
