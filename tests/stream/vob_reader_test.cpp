// The reader on small hand-made program streams.
#include "stream/vob_reader.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/stream/vob_builder.h"
#include "tests/support/scripted_message_boxes.h"

namespace capter::testing {
namespace {

struct RecordedUnit {
  Bytes bytes;
  TimeCode start;
  int32_t sector;
};

class RecordingHooks : public ReaderHooks {
 public:
  void UnitComplete(const CollectedUnit& unit) override {
    units.push_back({Bytes(unit.bytes.begin(), unit.bytes.end()), unit.start, unit.sector});
    if (pauseOnUnit) *pauseOnUnit = true;
  }
  void ProgressUpdate(int64_t sector) override { progress.push_back(sector); }
  void RemainingTimeEstimate(int64_t sector) override { estimates.push_back(sector); }
  void EndOfFile() override { ++endOfFiles; }

  std::vector<RecordedUnit> units;
  std::vector<int64_t> progress;
  std::vector<int64_t> estimates;
  int endOfFiles = 0;
  bool* pauseOnUnit = nullptr;
};

class VobReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("capter_reader_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
    reader.ResetTimeBase();
    reader.PrepareForStart();
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string File(const std::string& name, const std::vector<Sector>& sectors) {
    return WriteSectors((dir_ / name).string(), sectors);
  }

  // A unit of `size` bytes whose first two bytes hold its size.
  static Bytes SizedUnit(size_t size, uint16_t sizeWord) {
    Bytes unit(size, 0x11);
    unit[0] = static_cast<uint8_t>(sizeWord >> 8);
    unit[1] = static_cast<uint8_t>(sizeWord);
    return unit;
  }

  std::filesystem::path dir_;
  ReaderJob job;
  RecordingHooks hooks;
  ScriptedMessageBoxes boxes;
  VobReader reader{job, hooks, boxes};
};

TEST_F(VobReaderTest, UnitOverThreePacketsEndsAtPaddingEvenIfItsSizeClaimsMore) {
  const Bytes unit = SizedUnit(5000, 9000);
  std::vector<Sector> sectors = {VideoPack(0)};
  Append(sectors, UnitPacks(900, 90000, unit));
  ASSERT_EQ(sectors.size(), 4u);
  EXPECT_EQ(reader.ReadFile(File("a.vob", sectors)), ReadOutcome::EndOfFile);
  ASSERT_EQ(hooks.units.size(), 1u);
  EXPECT_EQ(hooks.units[0].bytes, unit);
  EXPECT_EQ(hooks.units[0].sector, 1);
  EXPECT_EQ(ToText(hooks.units[0].start), "00:00:01,000");
  EXPECT_EQ(reader.UnitsInRun(), 1u);
}

TEST_F(VobReaderTest, UnitCompletesWhenItsSizeIsReachedWithoutPadding) {
  const Bytes unit = SizedUnit(100, 100);
  SubPacket p{0x20, unit, 4500, false};
  EXPECT_EQ(reader.ReadFile(File("a.vob", {SubPicturePack(0, p), VideoPack(10)})),
            ReadOutcome::EndOfFile);
  ASSERT_EQ(hooks.units.size(), 1u);
  EXPECT_EQ(hooks.units[0].bytes, unit);
}

TEST_F(VobReaderTest, OtherSubStreamsAreSkippedAndAPauseTakesEffectThere) {
  const Bytes unit = SizedUnit(100, 100);
  std::vector<Sector> sectors = {VideoPack(0)};
  Append(sectors, UnitPacks(0, 9000, SizedUnit(80, 80), 2000, 0x21));  // sector 1
  Append(sectors, UnitPacks(0, 18000, unit));                          // sector 2
  Append(sectors, UnitPacks(0, 27000, unit));                          // sector 3
  const std::string path = File("a.vob", sectors);
  job.paused = true;
  EXPECT_EQ(reader.ReadFile(path), ReadOutcome::Paused);
  EXPECT_EQ(job.resumeSector, 1);  // stopped at sector 0, resumes after it
  EXPECT_TRUE(hooks.units.empty());

  EXPECT_EQ(reader.ReadFile(path), ReadOutcome::Paused);
  EXPECT_EQ(job.resumeSector, 2);  // the 0x21 packet is a pause point too
  job.paused = false;
  EXPECT_EQ(reader.ReadFile(path), ReadOutcome::EndOfFile);
  EXPECT_EQ(job.resumeSector, 0);
  ASSERT_EQ(hooks.units.size(), 2u);  // each sector read once
  EXPECT_EQ(hooks.units[0].sector, 2);
  EXPECT_EQ(reader.UnitsInFile(), 2u);
}

TEST_F(VobReaderTest, PauseRequestedDuringAUnitTakesEffectAfterIt) {
  std::vector<Sector> sectors = {VideoPack(0)};
  std::vector<Sector> unit = UnitPacks(0, 9000, SizedUnit(3000, 3000));
  sectors.push_back(unit[0]);       // 1
  sectors.push_back(VideoPack(0));  // 2: inside the unit
  sectors.push_back(unit[1]);       // 3: completes it
  sectors.push_back(VideoPack(0));  // 4
  sectors.push_back(VideoPack(0));  // 5
  hooks.pauseOnUnit = &job.paused;
  EXPECT_EQ(reader.ReadFile(File("a.vob", sectors)), ReadOutcome::Paused);
  EXPECT_EQ(hooks.units.size(), 1u);
  EXPECT_EQ(job.resumeSector, 5);
}

TEST_F(VobReaderTest, ResumeSectorIsConsumedAndKeptWhenAlreadySet) {
  std::vector<Sector> sectors(4, VideoPack(0));
  const std::string path = File("a.vob", sectors);
  job.resumeSector = 2;
  EXPECT_EQ(reader.ReadFile(path), ReadOutcome::EndOfFile);
  EXPECT_EQ(job.resumeSector, 0);
  EXPECT_EQ(hooks.progress, std::vector<int64_t>{4});
}

TEST_F(VobReaderTest, ProgressEvery512SectorsAndEstimateEvery10240) {
  std::vector<Sector> sectors(10241, VideoPack(0));
  Append(sectors, UnitPacks(0, 0, SizedUnit(100, 100)));
  EXPECT_EQ(reader.ReadFile(File("a.vob", sectors)), ReadOutcome::EndOfFile);
  ASSERT_EQ(hooks.progress.size(), 21u + 1 + 1);
  EXPECT_EQ(hooks.progress[1], 512);
  EXPECT_EQ(hooks.progress[21], 10242);  // after the unit
  EXPECT_EQ(hooks.progress[22], 10242);  // end of file
  EXPECT_EQ(hooks.estimates, (std::vector<int64_t>{0, 10240}));
}

TEST_F(VobReaderTest, ReanchoringPlacesTheFirstPackAtTheLastTimeCode) {
  reader.Presentation().SetLastTimeCode(ParseTimeCode("00:10:00,000"));
  std::vector<Sector> sectors = {VideoPack(0)};
  Append(sectors, UnitPacks(90000, 90000, SizedUnit(100, 100)));
  reader.ReadFile(File("a.vob", sectors));
  EXPECT_EQ(ToText(reader.Presentation().Offset()), "00:10:00,000");
  EXPECT_EQ(ToText(hooks.units.at(0).start), "00:10:01,000");

  reader.Presentation().SetLastTimeCode(ParseTimeCode("00:10:00,000"));
  reader.ReadFile(File("b.vob", {VideoPack(70000000)}));
  EXPECT_EQ(ToText(reader.Presentation().Offset()), "00:00:00,000");
}

TEST_F(VobReaderTest, ReanchoringBeyondThirteenHoursDoesNotOverflow) {
  reader.Presentation().SetLastTimeCode(ParseTimeCode("20:00:00,000"));
  reader.ReadFile(File("a.vob", {VideoPack(90)}));
  EXPECT_EQ(ToText(reader.Presentation().LatestPackTime()), "20:00:00,000");
}

TEST_F(VobReaderTest, ClockRestartingAtZeroContinuesTheTimeline) {
  std::vector<Sector> first = {VideoPack(900000), VideoPack(903600)};
  std::vector<Sector> second = {VideoPack(0)};
  Append(second, UnitPacks(3600, 90000, SizedUnit(100, 100)));
  reader.ReadFile(File("1.vob", first));
  reader.ReadFile(File("2.vob", second));
  // offset = (903600 + 3600) div 90 ms = 10,080 ms; unit at 1 s after it.
  EXPECT_EQ(ToText(reader.Presentation().Offset()), "00:00:10,080");
  EXPECT_EQ(ToText(hooks.units.at(0).start), "00:00:11,080");
}

TEST_F(VobReaderTest, BadHeaderQuestionAndYesToAll) {
  Sector bad = VideoPack(0);
  bad[3] = 0xB9;
  boxes = ScriptedMessageBoxes({Answer::YesToAll});
  const std::string path = File("a.vob", {VideoPack(0), bad, bad});
  EXPECT_EQ(reader.ReadFile(path), ReadOutcome::EndOfFile);
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, "Bad Packet Header at LBA: 2\rDo you want to continue ?");
  EXPECT_EQ(boxes.asked[0].buttons, ButtonSet::YesNoYesToAll);
  EXPECT_TRUE(job.ignoreBadHeaders);
  EXPECT_EQ(reader.BadHeaders(), 2u);
  reader.ReadFile(path);
  EXPECT_EQ(boxes.asked.size(), 1u);
}

TEST_F(VobReaderTest, AnsweringNoToABadHeaderEndsTheFile) {
  Sector bad = VideoPack(0);
  bad[0] = 0xFF;
  boxes = ScriptedMessageBoxes({Answer::Yes, Answer::No});
  std::vector<Sector> sectors = {bad, bad};
  Append(sectors, UnitPacks(0, 0, SizedUnit(100, 100)));
  EXPECT_EQ(reader.ReadFile(File("a.vob", sectors)), ReadOutcome::Declined);
  EXPECT_EQ(boxes.asked.size(), 2u);
  EXPECT_EQ(hooks.endOfFiles, 1);
  EXPECT_TRUE(hooks.units.empty());
}

TEST_F(VobReaderTest, UnitSplitBetweenFilesCompletesInTheNextFile) {
  const Bytes unit = SizedUnit(3000, 3000);
  const std::vector<Sector> packs = UnitPacks(0, 45000, unit);
  reader.ReadFile(File("1.vob", {VideoPack(0), packs[0]}));
  EXPECT_TRUE(reader.Collecting());
  reader.ReadFile(File("2.vob", {packs[1], VideoPack(0)}));
  ASSERT_EQ(hooks.units.size(), 1u);
  EXPECT_EQ(hooks.units[0].bytes, unit);
  EXPECT_EQ(hooks.units[0].sector, 1);
  EXPECT_EQ(ToText(hooks.units[0].start), "00:00:00,500");
}

TEST_F(VobReaderTest, DamagedUnitIsDroppedAndTheNextUnitIsKept) {
  const std::vector<Sector> broken = UnitPacks(0, 9000, SizedUnit(3000, 3000));
  const Bytes intact = SizedUnit(3000, 3000);
  std::vector<Sector> sectors = {broken[0]};  // its second packet was lost
  Append(sectors, UnitPacks(0, 18000, intact));
  reader.ReadFile(File("a.vob", sectors));
  ASSERT_EQ(hooks.units.size(), 1u);
  EXPECT_EQ(hooks.units[0].bytes, intact);
  EXPECT_EQ(ToText(hooks.units[0].start), "00:00:00,200");
  EXPECT_EQ(reader.DroppedUnits(), 1u);
}

TEST_F(VobReaderTest, ContinuationPacketRepeatingTheUnitTimeStampIsAppended) {
  const Bytes unit = SizedUnit(3000, 3000);
  SubPacket first{0x20, Bytes(unit.begin(), unit.begin() + 2000), 9000, false};
  SubPacket second{0x20, Bytes(unit.begin() + 2000, unit.end()), 9000, true};
  reader.ReadFile(File("a.vob", {SubPicturePack(0, first), SubPicturePack(0, second)}));
  ASSERT_EQ(hooks.units.size(), 1u);
  EXPECT_EQ(hooks.units[0].bytes, unit);
  EXPECT_EQ(reader.DroppedUnits(), 0u);
}

TEST_F(VobReaderTest, UnitLargerThanTheBufferIsCutAt65536Bytes) {
  // 34 packets of 2019 bytes under a size word of 0xFFFF and no padding: the
  // 33rd fills the buffer and completes the unit, the 34th begins another.
  const Bytes unit = SizedUnit(34 * 2019, 0xFFFF);
  reader.ReadFile(File("a.vob", UnitPacks(0, 0, unit, 2019)));
  ASSERT_GE(hooks.units.size(), 1u);
  EXPECT_EQ(hooks.units[0].bytes, Bytes(unit.begin(), unit.begin() + 65536));
}

TEST_F(VobReaderTest, TimeStampsPastTwoToThe31TicksAreLaterTimes) {
  std::vector<Sector> sectors = {VideoPack(0)};
  Append(sectors, UnitPacks(0, 0xA0000000u, SizedUnit(100, 100)));
  reader.ReadFile(File("a.vob", sectors));
  ASSERT_EQ(hooks.units.size(), 1u);
  EXPECT_EQ(ToText(hooks.units[0].start), "08:17:06,161");  // 2,684,354,560 / 90 ms
}

TEST_F(VobReaderTest, PacketLengthPastTheSectorIsCutAtItsEnd) {
  SubPacket p{0x20, SizedUnit(2020, 0xFFFF), 0, false};
  Sector s = SubPicturePack(0, p);
  s[18] = 0xFF;  // length 0xFFxx
  SubPacket rest{0x20, SizedUnit(100, 0), std::nullopt, true};
  reader.ReadFile(File("a.vob", {s, SubPicturePack(0, rest)}));
  ASSERT_EQ(hooks.units.size(), 1u);
  EXPECT_EQ(hooks.units[0].bytes.size(), 2048u - 29 + 100);
}

TEST_F(VobReaderTest, NavigationPacksDecideTheModeAndCountCells) {
  reader.ReadFile(File("a.vob", {NavigationPack(0, 0x00, 0x00, 0x01, 0x40 | 0x10),
                                 NavigationPack(0, 0x00, 0x00, 0x01, 0x40 | 0x22),
                                 NavigationPack(0, 0x00, 0x00, 0x00, 0x40 | 0x02)}));
  const NavigationClock& nav = reader.Navigation();
  EXPECT_EQ(nav.Mode().label, "PAL 25 Fps");
  EXPECT_EQ(nav.FrameStep(), 12);
  EXPECT_EQ(nav.CellCounter(), 2);
  // New cell base = 00:00:01:22 + 12 frames = 00:00:02:09; plus 2 frames.
  EXPECT_EQ(ToText(nav.Total()), "00:00:02:11");
}

TEST_F(VobReaderTest, MissingFileDoesNothing) {
  EXPECT_EQ(reader.ReadFile((dir_ / "none.vob").string()), ReadOutcome::Missing);
  EXPECT_EQ(hooks.endOfFiles, 0);
  EXPECT_TRUE(boxes.asked.empty());
}

TEST_F(VobReaderTest, UnreadableFileWarnsAndEndsTheFile) {
  const std::string path = dir_.string();  // a folder opens but cannot be read
  EXPECT_EQ(reader.ReadFile(path), ReadOutcome::Failed);
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, "Can't open file " + path +
                                     " ,it might be crypted\rYou can try to decrypt it with DVD "
                                     "Decrypter, DECSS or VOBDec");
  EXPECT_EQ(boxes.asked[0].buttons, ButtonSet::Ok);
  EXPECT_EQ(hooks.endOfFiles, 1);
}

TEST_F(VobReaderTest, TruncatedAndGarbageFilesEndQuietly) {
  const std::string path = (dir_ / "short.vob").string();
  Sector half = VideoPack(0);
  half.resize(1000);
  WriteSectors(path, {VideoPack(0), half});
  EXPECT_EQ(reader.ReadFile(path), ReadOutcome::EndOfFile);

  Sector garbage(2048, 0);
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<uint8_t>(i * 37 + 11);
  garbage[0] = 0, garbage[1] = 0, garbage[2] = 1, garbage[3] = 0xBA;
  garbage[14] = 0, garbage[15] = 0, garbage[16] = 1, garbage[17] = 0xBD;
  garbage[22] = 0xFF;  // header length pointing far into the sector
  EXPECT_EQ(reader.ReadFile(File("garbage.vob", {garbage, garbage})), ReadOutcome::EndOfFile);
}

}  // namespace
}  // namespace capter::testing
