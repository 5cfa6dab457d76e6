// Real titles with damage done to them: lost and garbage sectors, cut files,
// and pauses in the middle of every file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "stream/sub_picture.h"
#include "stream/vob_reader.h"
#include "tests/support/corpus.h"
#include "tests/support/scripted_message_boxes.h"

namespace capter::testing {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
}

struct TitleRun {
  std::vector<std::string> starts;  // start time of every unit, as text
  std::vector<Bytes> units;
  uint32_t dropped = 0;
  uint32_t badHeaders = 0;
  ReadDamage damage;
};

// Reads `files` in order for stream 0x20. With `pauseAfterEachUnit`, every
// completed unit requests a pause and the file is continued after it.
TitleRun ReadTitle(const std::vector<std::string>& files, bool pauseAfterEachUnit = false) {
  struct Hooks : ReaderHooks {
    void UnitComplete(const CollectedUnit& unit) override {
      subPicture.Parse(unit.bytes, unit.start);
      run.starts.push_back(ToText(ComputeSubtitleTimes(subPicture).start));
      run.units.emplace_back(unit.bytes.begin(), unit.bytes.end());
      if (pause) job->paused = true;
    }
    TitleRun run;
    SubPicture subPicture;
    ReaderJob* job = nullptr;
    bool pause = false;
  } hooks;
  ReaderJob job;
  hooks.job = &job;
  hooks.pause = pauseAfterEachUnit;
  ScriptedMessageBoxes boxes({}, Answer::YesToAll);
  VobReader reader(job, hooks, boxes);
  reader.ResetTimeBase();
  reader.PrepareForStart();
  for (size_t i = 0; i < files.size();) {
    if (reader.ReadFile(files[i]) == ReadOutcome::Paused) {
      job.paused = false;  // continue the same file
    } else {
      ++i;
    }
  }
  hooks.run.dropped = reader.DroppedUnits();
  hooks.run.badHeaders = reader.BadHeaders();
  hooks.run.damage = reader.Damage();
  return hooks.run;
}

class CorpusDamage : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("capter_damage_" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(dir_);
    title_ = FindCorpusCase("p02_pal_image_latin1");
    ASSERT_EQ(title_.vobFiles.size(), 1u);
    vob_ = ReadFileBytes(title_.vobFiles[0]);
    intact_ = ReadTitle(title_.vobFiles);
    ASSERT_EQ(intact_.starts.size(), 16u);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Damaged(const Bytes& bytes) {
    const std::string path = (dir_ / "damaged.vob").string();
    WriteFileBytes(path, bytes);
    return path;
  }

  // Subtitle 2 of this title is carried by sectors 74 and 75.
  static constexpr size_t kSecondPacketOfUnit2 = 75;
  static constexpr size_t kSector = 2048;

  std::filesystem::path dir_;
  CorpusCase title_;
  Bytes vob_;
  TitleRun intact_;
};

TEST_F(CorpusDamage, LostSectorCostsOnlyItsOwnUnit) {
  Bytes bytes = vob_;
  bytes.erase(bytes.begin() + kSecondPacketOfUnit2 * kSector,
              bytes.begin() + (kSecondPacketOfUnit2 + 1) * kSector);
  const TitleRun run = ReadTitle({Damaged(bytes)});
  EXPECT_EQ(run.dropped, 1u);
  std::vector<std::string> expected = intact_.starts;
  expected.erase(expected.begin() + 1);
  EXPECT_EQ(run.starts, expected);
  for (size_t i = 1; i < run.units.size(); ++i) EXPECT_EQ(run.units[i], intact_.units[i + 1]);
}

TEST_F(CorpusDamage, GarbageSectorsAreAnsweredAndCounted) {
  Bytes bytes = vob_;
  uint32_t seed = 12345;
  for (size_t i = kSecondPacketOfUnit2 * kSector; i < (kSecondPacketOfUnit2 + 1) * kSector; ++i) {
    seed = seed * 1103515245u + 12345u;
    bytes[i] = static_cast<uint8_t>(seed >> 16);
  }
  const TitleRun run = ReadTitle({Damaged(bytes)});
  EXPECT_EQ(run.badHeaders, 1u);
  EXPECT_EQ(run.dropped, 1u);
  EXPECT_EQ(run.starts.size(), 15u);
  EXPECT_EQ(DamageSummary(run.damage),
            "passed over: 1 bad pack header (the first at sector 76 of damaged.vob), 1 damaged "
            "unit");
}

TEST_F(CorpusDamage, FileCutInsideAUnitKeepsWhatCameBefore) {
  Bytes bytes(vob_.begin(), vob_.begin() + kSecondPacketOfUnit2 * kSector + 700);
  const TitleRun run = ReadTitle({Damaged(bytes)});
  EXPECT_EQ(run.starts,
            std::vector<std::string>(intact_.starts.begin(), intact_.starts.begin() + 1));
  EXPECT_EQ(run.damage.cutFile, Damaged(bytes));
  EXPECT_EQ(DamageSummary(run.damage).find(" ends inside a unit starting at "),
            std::string("passed over: damaged.vob").size());
}

// The first packet of the file's first unit was in the file before: the
// rest of that unit is passed over and counted, never made into a unit
// without a stop and an area.
TEST_F(CorpusDamage, AFileReadFromTheMiddleOfAUnitDropsThatUnit) {
  const Bytes bytes(vob_.begin() + kSecondPacketOfUnit2 * kSector, vob_.end());
  const TitleRun run = ReadTitle({Damaged(bytes)});
  EXPECT_EQ(run.units.size(), intact_.units.size() - 2);
  EXPECT_EQ(run.units.front(), intact_.units[2]);
  EXPECT_EQ(run.damage.headlessUnits, 1u);
  EXPECT_EQ(DamageSummary(run.damage), "passed over: 1 unit without its first packet");
  EXPECT_EQ(DamageSummary(intact_.damage), "");
}

TEST(CorpusPause, PausingAfterEveryUnitOfASplitTitleChangesNothing) {
  const CorpusCase title = FindCorpusCase("p05_ntsc_split3");
  ASSERT_EQ(title.vobFiles.size(), 3u);
  const TitleRun straight = ReadTitle(title.vobFiles);
  const TitleRun paused = ReadTitle(title.vobFiles, true);
  ASSERT_EQ(straight.starts.size(), 18u);
  EXPECT_EQ(paused.starts, straight.starts);
  EXPECT_EQ(paused.units, straight.units);
}

}  // namespace
}  // namespace capter::testing
