// Throughput of the program-stream reader on a large VOB, alone and with
// every unit decoded, beside ffmpeg copying the same sub-picture stream out.
//
//   vob_reader_bench [SOURCE.vob]
//
// Two files of about 1 GiB are made in /tmp when missing, by repeating the
// packs of SOURCE.vob (default: the largest corpus title):
// - dense: every copy keeps its sub-picture packs, so units follow each
//   other as closely as in that dialogue title (about 10 per MB);
// - film-like: only every 40th copy keeps them, which gives the density of
//   a feature film (about 1,500 subtitles in 6 GB, 0.25 per MB).
// Each file is read once first so that every contender reads from the page
// cache. Never commit these files.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "base/message_box.h"
#include "stream/sub_picture.h"
#include "stream/sub_picture_decoder.h"
#include "stream/vob_reader.h"

namespace {

using namespace capter;
using Clock = std::chrono::steady_clock;

constexpr uint64_t kTargetSize = uint64_t{1} << 30;
constexpr int kRounds = 3;

class YesToAll : public MessageBoxes {
 public:
  Answer Ask(MessageKind, ButtonSet, const std::string&) override { return Answer::YesToAll; }
};

class BenchHooks : public ReaderHooks {
 public:
  explicit BenchHooks(bool decode) : decode_(decode) {}
  void UnitComplete(const CollectedUnit& unit) override {
    ++units;
    if (!decode_) return;
    subPicture_.Parse(unit.bytes, unit.start, unit.sector);
    DecodeSubPicture(subPicture_, picture_);
    pixels += static_cast<uint64_t>(picture_.Width()) * picture_.Height();
  }
  uint64_t units = 0;
  uint64_t pixels = 0;

 private:
  bool decode_;
  SubPicture subPicture_;
  DecodedBitmap picture_;
};

bool IsSubPicturePack(const char* sector) {
  const auto* s = reinterpret_cast<const uint8_t*>(sector);
  if (s[14] != 0 || s[15] != 0 || s[16] != 1 || s[17] != 0xBD) return false;
  const uint8_t subStream = s[23 + s[22]];
  return subStream >= 0x20 && subStream < 0x40;
}

// Repeats the packs of `source` up to about 1 GiB; sub-picture packs are
// kept in every `keepEvery`th copy only.
void MakeBigFile(const std::string& big, const std::string& source, int keepEvery) {
  std::ifstream in(source, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
  if (bytes.size() < kSectorSize) {
    std::cerr << "cannot read " << source << "\n";
    std::exit(1);
  }
  std::ofstream out(big, std::ios::binary | std::ios::trunc);
  uint64_t written = 0;
  for (int copy = 0; written < kTargetSize; ++copy) {
    for (size_t at = 0; at + kSectorSize <= bytes.size(); at += kSectorSize) {
      if (copy % keepEvery != 0 && IsSubPicturePack(bytes.data() + at)) continue;
      out.write(bytes.data() + at, kSectorSize);
      written += kSectorSize;
    }
  }
}

void WarmPageCache(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> block(1 << 20);
  while (in.read(block.data(), static_cast<std::streamsize>(block.size()))) {
  }
}

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

// Processor time (user + system) used so far by this process or, with
// RUSAGE_CHILDREN, by its finished children. On a shared machine this is
// the fairer measure: waiting for a processor does not count.
double CpuSeconds(int who) {
  rusage usage{};
  getrusage(who, &usage);
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Wall-clock and processor seconds of the best round.
struct Timing {
  double wall = 1e30;
  double cpu = 1e30;
  void Take(double w, double c) {
    wall = std::min(wall, w);
    cpu = std::min(cpu, c);
  }
};

// Best of kRounds; `units` gets the unit count of the last round.
Timing TimeReader(const std::string& path, bool decode, uint64_t& units) {
  Timing best;
  for (int round = 0; round < kRounds; ++round) {
    BenchHooks hooks(decode);
    YesToAll boxes;
    ReaderJob job;
    VobReader reader(job, hooks, boxes);
    reader.ResetTimeBase();
    reader.PrepareForStart();
    const Clock::time_point start = Clock::now();
    const double cpu = CpuSeconds(RUSAGE_SELF);
    reader.ReadFile(path);
    best.Take(Seconds(start), CpuSeconds(RUSAGE_SELF) - cpu);
    units = hooks.units;
  }
  return best;
}

Timing TimeFfmpeg(const std::string& path) {
  const std::string command =
      "ffmpeg -nostdin -v error -i '" + path + "' -map 0:s:0 -c copy -f null -";
  Timing best;
  for (int round = 0; round < kRounds; ++round) {
    const Clock::time_point start = Clock::now();
    const double cpu = CpuSeconds(RUSAGE_CHILDREN);
    if (std::system(command.c_str()) != 0) return Timing{-1, -1};
    best.Take(Seconds(start), CpuSeconds(RUSAGE_CHILDREN) - cpu);
  }
  return best;
}

void Report(const char* what, const Timing& t, double megabytes, const Timing& reference) {
  std::printf("%-34s %7.3f s %7.0f MB/s  %7.3f s %7.0f MB/s", what, t.wall, megabytes / t.wall,
              t.cpu, megabytes / t.cpu);
  if (reference.wall > 0) {
    std::printf("  %5.2f x %5.2f x", reference.wall / t.wall, reference.cpu / t.cpu);
  }
  std::printf("\n");
}

void BenchFile(const std::string& big, const std::string& source, int keepEvery) {
  if (!std::filesystem::exists(big)) MakeBigFile(big, source, keepEvery);
  const double megabytes = static_cast<double>(std::filesystem::file_size(big)) / 1e6;
  WarmPageCache(big);
  std::printf("\n%s: %.0f MB, best of %d rounds, from page cache\n", big.c_str(), megabytes,
              kRounds);
  std::printf("%-34s %9s %12s  %9s %12s  %s\n", "", "wall", "", "cpu", "",
              "speed-up over ffmpeg (wall, cpu)");
  const Timing ffmpeg = TimeFfmpeg(big);
  if (ffmpeg.wall > 0) {
    Report("ffmpeg -map 0:s:0 -c copy -f null", ffmpeg, megabytes, Timing{-1, -1});
  } else {
    std::printf("ffmpeg: not run (missing or failed)\n");
  }
  uint64_t units = 0;
  const Timing alone = TimeReader(big, false, units);
  Report("reader, units of stream 0x20", alone, megabytes, ffmpeg);
  const Timing decoding = TimeReader(big, true, units);
  Report("reader + decode of every unit", decoding, megabytes, ffmpeg);
  std::printf("units per pass: %llu (%.2f per MB)\n", static_cast<unsigned long long>(units),
              static_cast<double>(units) / megabytes);
}

}  // namespace

int main(int argc, char* argv[]) {
  const std::string source =
      argc > 1 ? argv[1] : CAPTER_CORPUS_DIR "/p07_pal_dialogue_serif/VIDEO_TS/VTS_01_1.VOB";
  BenchFile("/tmp/capter_big_dense.vob", source, 1);
  BenchFile("/tmp/capter_big_film.vob", source, 40);
  return 0;
}
