#include "cli/terminal_progress.h"

#include <cstdio>

namespace capter::cli {
namespace {

// Redrawing more often than this only costs time.
constexpr int64_t kRedrawMs = 200;

}  // namespace

std::string ProgressLine(const RunProgress& progress, int64_t elapsedMs, uint32_t units,
                         const std::string& elapsed, const std::string& remaining) {
  const double megabytes = progress.positionKiB / 1024.0;
  const double rate = elapsedMs > 0 ? megabytes * 1000.0 / static_cast<double>(elapsedMs) : 0.0;
  char buffer[160];
  std::snprintf(
      buffer, sizeof buffer, "%3u%% %7.1f MB/s %6u sub-pictures  elapsed %s  remaining %s",
      static_cast<unsigned>(progress.percent), rate, units, elapsed.c_str(), remaining.c_str());
  return buffer;
}

void TerminalProgress::ShowProgress(const RunProgress& progress) {
  if (!enabled_) return;
  const int64_t now = clock_.Now();
  if (now - lastDrawTick_ < kRedrawMs && progress.percent < 100) return;
  lastDrawTick_ = now;
  err_ << '\r' << ProgressLine(progress, now - startTick_, units_, elapsed_, remaining_) << "\x1b[K"
       << std::flush;
  drawn_ = true;
}

void TerminalProgress::ShowRemaining(const std::string& hhmmss) {
  if (clock_.Now() - startTick_ >= kMeaningfulEstimateMs) remaining_ = hhmmss;
}

void TerminalProgress::Clear() {
  if (!drawn_) return;
  err_ << "\r\x1b[K" << std::flush;
  drawn_ = false;
}

}  // namespace capter::cli
