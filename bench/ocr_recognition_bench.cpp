// Recognition speed on the real corpus pictures with trained matrices and no
// prompts: cropping, segmentation, matching and line assembly of every
// sub-picture of every corpus stream. Decoding happens once, before timing.
// Each stream's matrix is taught from its truth first (the same teacher as
// capter-eval); lines the teacher cannot teach read their unknown shapes as
// one placeholder character, as a frozen evaluation does.
//
// The argument: every recognition aid off (0), or the default settings with
// their aids (1).
//
// The timed loop copies each decoded picture before recognising it (the
// recognition works in place); BM_CopyPictures times that copy alone.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/recognition_session.h"
#include "tests/support/corpus.h"

namespace {

using namespace capter;

struct PreparedStream {
  std::unique_ptr<bench::RecognitionSession> session;
  std::vector<testing::DecodedCorpusUnit> units;
  std::vector<testing::ExpectedSubtitle> truth;
};

std::vector<PreparedStream> Prepare(bool aids) {
  OcrSettings settings;
  if (!aids) SetRecognitionAids(settings, false);
  std::vector<PreparedStream> prepared;
  {
    Picture24 work;
    for (const testing::CorpusCase& c : testing::CorpusCases()) {
      for (const testing::CorpusStream& s : c.streams) {
        PreparedStream p;
        p.session = std::make_unique<bench::RecognitionSession>(
            settings, static_cast<uint8_t>(s.pixelCodes[1]));
        p.units = testing::DecodeCorpusStream(c, s.index);
        p.truth = testing::ReadExpectedSubtitles(s.truthFile);
        p.units.resize(std::min(p.units.size(), p.truth.size()));
        for (size_t i = 0; i < p.units.size(); ++i) {
          work = p.units[i].picture;
          p.session->Read(work, p.units[i], p.truth[i].lines);
        }
        p.session->Freeze();
        prepared.push_back(std::move(p));
      }
    }
  }
  return prepared;
}

std::vector<PreparedStream>& Corpus(bool aids = false) {
  static std::vector<PreparedStream> off = Prepare(false);
  if (!aids) return off;
  static std::vector<PreparedStream> on = Prepare(true);
  return on;
}

void BM_RecogniseCorpus(benchmark::State& state) {
  std::vector<PreparedStream>& corpus = Corpus(state.range(0) != 0);
  Picture24 work;
  int64_t subPictures = 0;
  for (auto _ : state) {
    for (PreparedStream& p : corpus) {
      for (size_t i = 0; i < p.units.size(); ++i) {
        work = p.units[i].picture;
        p.session->Read(work, p.units[i], p.truth[i].lines);
        benchmark::DoNotOptimize(p.session->Lines().data());
        ++subPictures;
      }
    }
  }
  state.SetItemsProcessed(subPictures);
  state.counters["subpictures_per_s"] =
      benchmark::Counter(static_cast<double>(subPictures), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RecogniseCorpus)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_CopyPictures(benchmark::State& state) {
  std::vector<PreparedStream>& corpus = Corpus();
  Picture24 work;
  int64_t subPictures = 0;
  for (auto _ : state) {
    for (PreparedStream& p : corpus) {
      for (const testing::DecodedCorpusUnit& unit : p.units) {
        work = unit.picture;
        benchmark::DoNotOptimize(work.Bits());
        ++subPictures;
      }
    }
  }
  state.SetItemsProcessed(subPictures);
}
BENCHMARK(BM_CopyPictures)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
