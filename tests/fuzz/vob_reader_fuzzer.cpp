// Feeds arbitrary sectors to the program-stream reader, twice in a row (as
// two files of one title), parsing every unit it completes (decoding has its
// own fuzzer). The first byte
// steers the job: chosen stream, answers to bad headers, pausing, time base.
// Optional start codes are forced into every sector so that mutations reach
// the packet parsing instead of dying at the pack check.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "base/message_box.h"
#include "stream/ifo_languages.h"
#include "stream/sub_picture.h"
#include "stream/vob_reader.h"

namespace {

using namespace capter;

class FuzzBoxes : public MessageBoxes {
 public:
  Answer Ask(MessageKind, ButtonSet, const std::string&) override {
    static constexpr Answer kAnswers[] = {Answer::Yes, Answer::YesToAll, Answer::No, Answer::Yes};
    return kAnswers[(steer >> 3) & 3];
  }
  uint8_t steer = 0;
};

class ParsingHooks : public ReaderHooks {
 public:
  explicit ParsingHooks(ReaderJob& job) : job_(job) {}
  void UnitComplete(const CollectedUnit& unit) override {
    subPicture_.Parse(unit.bytes, unit.start, unit.sector);
    ComputeSubtitleTimes(subPicture_);
    WorthRecognising(subPicture_);
    if (pauseOnUnits) job_.paused = true;
  }
  bool pauseOnUnits = false;

 private:
  ReaderJob& job_;
  SubPicture subPicture_;
};

// One reader for the whole session, set back to a fresh run for every
// input (its buffers are large; allocating them per input only costs time).
struct Session {
  ReaderJob job;
  ParsingHooks hooks{job};
  FuzzBoxes boxes;
  VobReader reader{job, hooks, boxes};
};

// An in-memory file reachable by path, reused for every input.
const std::string& MemoryFilePath() {
  static const std::string path = [] {
    const int fd = memfd_create("vob", 0);
    return "/proc/self/fd/" + std::to_string(fd);
  }();
  return path;
}

void WriteMemoryFile(const std::vector<uint8_t>& bytes) {
  const int fd = std::stoi(MemoryFilePath().substr(std::strlen("/proc/self/fd/")));
  if (ftruncate(fd, 0) != 0 || pwrite(fd, bytes.data(), bytes.size(), 0) < 0) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const uint8_t steer = data[0];
  std::vector<uint8_t> bytes(data + 1, data + size);
  ReadIfoStreamNames(bytes);
  for (size_t at = 0; at + kSectorSize <= bytes.size(); at += kSectorSize) {
    uint8_t* sector = bytes.data() + at;
    if (steer & 1) std::memcpy(sector, "\x00\x00\x01\xBA", 4);
    if (steer & 2) std::memcpy(sector + 14, "\x00\x00\x01\xBD", 4);
  }
  WriteMemoryFile(bytes);

  static Session session;
  ReaderJob& job = session.job;
  VobReader& reader = session.reader;
  job = ReaderJob{};
  job.streamId = static_cast<uint8_t>(0x20 + ((steer >> 5) & 1));
  session.hooks.pauseOnUnits = steer & 4;
  session.boxes.steer = steer;
  reader.ResetTimeBase();
  reader.PrepareForStart();
  reader.DropCollectedUnit();
  if (steer & 0x40) reader.Presentation().SetLastTimeCode(TimeCode{20, 0, 0, 0});
  for (int file = 0; file < 2; ++file) {
    // Continue after every pause; each pause point moves the resume sector on.
    for (int reads = 0; reads < 64; ++reads) {
      if (reader.ReadFile(MemoryFilePath()) != ReadOutcome::Paused) break;
      job.paused = false;
    }
  }
  return 0;
}
