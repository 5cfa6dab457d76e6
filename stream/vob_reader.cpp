#include "stream/vob_reader.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "base/message_ids.h"
#include "base/message_table.h"

namespace capter {
namespace {

// Fixed offsets in a sector: one MPEG-2 pack with a 14-byte header, its
// first packet at 14.
constexpr size_t kPacketStart = 14;
constexpr size_t kPacketLength = 18;
constexpr size_t kPesFlags = 21;
constexpr size_t kPesHeaderLength = 22;
constexpr size_t kPesHeaderData = 23;
constexpr size_t kCellElapsedTime = 69;
constexpr size_t kLastPaddingCheck = 2042;

constexpr uint8_t kPackStartCode = 0xBA;
constexpr uint8_t kSystemHeader = 0xBB;  // marks a navigation pack
constexpr uint8_t kPrivateStream1 = 0xBD;
constexpr uint8_t kPaddingStream = 0xBE;

constexpr int64_t kProgressInterval = 512;
constexpr int64_t kEstimateEvery = 20;  // progress intervals

uint32_t Word32(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}
uint16_t Word16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] << 8 | p[1]);
}

// 00 00 01 followed by `code` at `at`.
bool StartCodeAt(const uint8_t* sector, size_t at, uint8_t code) {
  return sector[at] == 0 && sector[at + 1] == 0 && sector[at + 2] == 1 && sector[at + 3] == code;
}

// The 33-bit system clock reference of the pack header without its top bit.
uint32_t ClockReference(const uint8_t* sector) {
  const uint32_t a = Word32(sector + 4);
  const uint32_t b = Word16(sector + 8);
  return ((a >> 27) & 0x3) << 30 | ((a >> 11) & 0x7FFF) << 15 | (a & 0x3FF) << 5 | (b >> 11);
}

// The presentation time stamp of the first packet, without its top bit.
uint32_t PresentationTimeStamp(const uint8_t* sector) {
  const uint32_t high = (sector[kPesHeaderData] >> 1) & 0x7;
  const uint32_t middle = Word16(sector + 24) >> 1;
  const uint32_t low = Word16(sector + 26) >> 1;
  return high << 30 | middle << 15 | low;
}

bool HasPresentationTimeStamp(const uint8_t* sector) {
  return (sector[kPesFlags] & 0x80) != 0;
}

}  // namespace

VobReader::VobReader(ReaderJob& job, ReaderHooks& hooks, MessageBoxes& boxes)
    : job_(job),
      hooks_(hooks),
      boxes_(boxes),
      buffer_(std::make_unique<uint8_t[]>(kReassemblySize)) {}

void VobReader::ResetTimeBase() {
  presentation_.Reset();
  presentation_.SetLastTimeCode(kZeroTimeCode);
  navigation_.Reset();
}

void VobReader::PrepareForStart() {
  if (navigation_.PastZero()) fill_ = 0;
  navigation_.PrepareForStart();
  unitsInRun_ = 0;
  droppedUnits_ = 0;
  damage_ = ReadDamage{};
  goodPacks_ = 0;
  skippingHeadless_ = false;
}

ReadDamage VobReader::Damage() const {
  ReadDamage damage = damage_;
  damage.droppedUnits = droppedUnits_;
  if (fill_ > 0) {
    damage.cutFile = path_;
    damage.cutStart = unitStart_;
  }
  return damage;
}

void VobReader::UncountUnit() {
  if (unitsInFile_ > 0) --unitsInFile_;
  if (unitsInRun_ > 0) --unitsInRun_;
}

ReadOutcome VobReader::ReadFile(const std::string& path) {
  if (::access(path.c_str(), F_OK) != 0) return ReadOutcome::Missing;
  const auto fail = [&] {
    const MessageTable& m = Messages();
    boxes_.Ask(MessageKind::Warning, ButtonSet::Ok,
               TwoLines(m.GetMessage(kMsgCantOpen) + path + m.GetMessage(kMsgMightBeCrypted),
                        m.GetMessage(kMsgTryDecrypting)));
    file_.Close();
    hooks_.EndOfFile();
    return ReadOutcome::Failed;
  };
  path_ = path;
  if (!file_.Open(path)) return fail();
  int64_t index = job_.resumeSector;
  job_.resumeSector = 0;
  if (index == 0) unitsInFile_ = 0;
  hooks_.FileOpened(index == 0);
  while (true) {
    const long count = file_.ReadBlock(index);
    if (count < 0) return fail();
    if (count == 0) break;
    for (long i = 0; i < count; ++i, ++index) {
      if (index % kProgressInterval == 0) {
        hooks_.ProgressUpdate(index);
        if ((index / kProgressInterval) % kEstimateEvery == 0) hooks_.RemainingTimeEstimate(index);
      }
      ReadOutcome outcome = ReadOutcome::EndOfFile;
      if (ProcessSector(file_.Sector(static_cast<size_t>(i)), index, outcome) == Step::Stop) {
        file_.Close();
        if (outcome == ReadOutcome::Declined) hooks_.EndOfFile();
        return outcome;
      }
    }
  }
  hooks_.ProgressUpdate(index);
  file_.Close();
  hooks_.EndOfFile();
  return ReadOutcome::EndOfFile;
}

VobReader::Step VobReader::ProcessSector(const uint8_t* sector, int64_t index,
                                         ReadOutcome& outcome) {
  if (CheckPackHeader(sector, index, outcome) == Step::Stop) return Step::Stop;
  presentation_.TakeReference(ClockReference(sector));
  if (StartCodeAt(sector, kPacketStart, kSystemHeader)) {
    navigation_.TakeCellTime(sector + kCellElapsedTime);
    hooks_.NavigationPack();
    return Step::Next;
  }
  if (StartCodeAt(sector, kPacketStart, kPrivateStream1)) {
    const uint8_t subStream = sector[kPesHeaderData + sector[kPesHeaderLength]];
    if (subStream >= kFirstSubPictureStream && subStream < kFirstSubPictureStream + 32) {
      streamsSeen_ |= 1u << (subStream - kFirstSubPictureStream);
    }
    if (subStream == job_.streamId) {
      CollectPacket(sector, index);
      return Step::Next;
    }
  }
  return PausePoint(index, outcome) ? Step::Stop : Step::Next;
}

VobReader::Step VobReader::CheckPackHeader(const uint8_t* sector, int64_t index,
                                           ReadOutcome& outcome) {
  if (StartCodeAt(sector, 0, kPackStartCode)) {
    ++goodPacks_;
    return Step::Next;
  }
  if (damage_.badHeaders++ == 0) {
    damage_.firstBadSector = index + 1;
    damage_.firstBadFile = path_;
  }
  if (job_.ignoreBadHeaders) return Step::Next;
  const MessageTable& m = Messages();
  const Answer answer = boxes_.Ask(MessageKind::Warning, ButtonSet::YesNoYesToAll,
                                   TwoLines(m.GetMessage(kMsgBadHeader) + std::to_string(index + 1),
                                            m.GetMessage(kMsgContinueReading)));
  if (answer == Answer::YesToAll) job_.ignoreBadHeaders = true;
  if (answer != Answer::No) return Step::Next;
  outcome = ReadOutcome::Declined;
  return Step::Stop;
}

void VobReader::CollectPacket(const uint8_t* sector, int64_t index) {
  const size_t length = Word16(sector + kPacketLength);
  const size_t headerLength = sector[kPesHeaderLength];
  const size_t payloadBegin = kPesHeaderData + 1 + headerLength;
  // A packet whose stated length reaches past the sector is cut at its end.
  const size_t packetEnd = std::min(kPacketLength + 2 + length, kSectorSize);
  const uint32_t pts = PresentationTimeStamp(sector);
  // A packet with its own, different time stamp begins a new unit: the unit
  // being collected lost a packet and can never complete correctly.
  if (fill_ > 0 && HasPresentationTimeStamp(sector) && pts != unitPts_) {
    ++droppedUnits_;
    fill_ = 0;
  }
  if (fill_ == 0 && !HasPresentationTimeStamp(sector)) {
    // A unit's first packet carries its time stamp; without it (a file read
    // from the middle of a title, a lost sector) the rest cannot make a
    // unit.
    if (!skippingHeadless_) ++damage_.headlessUnits;
    skippingHeadless_ = true;
    return;
  }
  skippingHeadless_ = false;
  if (fill_ == 0) {
    unitSize_ = Word16(sector + payloadBegin);
    unitSector_ = static_cast<int32_t>(index);
    unitPts_ = pts;
    unitStart_ = presentation_.PresentationTime(pts);
  }
  if (payloadBegin < packetEnd) {
    const size_t take = std::min(packetEnd - payloadBegin, kReassemblySize - fill_);
    std::memcpy(buffer_.get() + fill_, sector + payloadBegin, take);
    fill_ += take;
  }
  const size_t next = kPacketLength + 2 + length;
  const bool paddingFollows =
      next <= kLastPaddingCheck && StartCodeAt(sector, next, kPaddingStream);
  if (fill_ > 0 && (paddingFollows || fill_ >= unitSize_)) CompleteUnit(index);
}

void VobReader::CompleteUnit(int64_t index) {
  ++unitsInFile_;
  ++unitsInRun_;
  hooks_.UnitComplete(CollectedUnit{std::span<const uint8_t>(buffer_.get(), fill_), unitStart_,
                                    unitPts_, unitSector_});
  fill_ = 0;
  hooks_.ProgressUpdate(index + 1);
}

bool VobReader::PausePoint(int64_t index, ReadOutcome& outcome) {
  if (!job_.paused || fill_ > 0) return false;
  if (job_.resumeSector == 0) job_.resumeSector = static_cast<int32_t>(index + 1);
  outcome = ReadOutcome::Paused;
  return true;
}

}  // namespace capter
