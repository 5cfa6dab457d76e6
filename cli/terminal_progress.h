// The run's progress as one line on a terminal, rewritten in place:
// percentage, reading speed, sub-pictures found, elapsed and remaining time.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "stream/extraction_run.h"

namespace capter::cli {

class TerminalProgress : public RunDisplay {
 public:
  // Nothing is written unless `enabled` (stderr is a terminal).
  TerminalProgress(std::ostream& err, MillisecondClock& clock, bool enabled)
      : err_(err), clock_(clock), enabled_(enabled), startTick_(clock.Now()) {}

  void ShowProgress(const RunProgress& progress) override;
  void ShowElapsed(const std::string& hhmmss) override { elapsed_ = hhmmss; }
  // An estimate is shown only once the run has gone on long enough for its
  // reading rate to mean something; until then "--:--:--".
  void ShowRemaining(const std::string& hhmmss) override;
  void ShowUnitCounts(uint32_t /*inFile*/, uint32_t inRun) override { units_ = inRun; }

  // Clears the line before other output (a prompt, a message, the end).
  void Clear();

 private:
  std::ostream& err_;
  MillisecondClock& clock_;
  bool enabled_;
  int64_t startTick_;
  int64_t lastDrawTick_ = -1000000;
  bool drawn_ = false;
  uint32_t units_ = 0;
  std::string elapsed_ = "00:00:00";
  std::string remaining_ = "--:--:--";
};

// How long a run must have gone on before its remaining time is shown.
inline constexpr int64_t kMeaningfulEstimateMs = 3000;

// "47% 12.3 MB/s 118 sub-pictures elapsed 00:00:05 remaining 00:00:06".
std::string ProgressLine(const RunProgress& progress, int64_t elapsedMs, uint32_t units,
                         const std::string& elapsed, const std::string& remaining);

}  // namespace capter::cli
