#include "ocr/character_matrix.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/atomic_file.h"
#include "ocr/matrix_commands.h"
#include "ocr/matrix_file.h"
#include "tests/support/scripted_message_boxes.h"

namespace capter::testing {
namespace {

namespace fs = std::filesystem;

MatrixEntry EntryOf(const std::string& text, uint8_t width = 5, uint8_t height = 7,
                    uint8_t topOffset = 1) {
  MatrixEntry entry;
  entry.glyph.Width = width;
  entry.glyph.Height = height;
  entry.glyph.TopOffset = topOffset;
  for (int i = 0; i < std::min(width, height); ++i) entry.glyph.SetPixel(i, i, true);
  entry.text = text;
  return entry;
}

// A matrix of entries "1", "2", ... "n".
CharacterMatrix Numbered(size_t n, MessageBoxes& boxes) {
  CharacterMatrix matrix;
  for (size_t i = 1; i <= n; ++i) {
    matrix.Add(EntryOf(std::to_string(i), static_cast<uint8_t>(i % 45 + 1)), boxes);
  }
  return matrix;
}

class MatrixFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        fs::temp_directory_path() /
        ("capter_matrix_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

  fs::path folder_;
  ScriptedMessageBoxes boxes_;
};

std::string ReadBytes(const std::string& path) {
  std::string bytes;
  EXPECT_TRUE(ReadWholeFile(path, bytes).ok);
  return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  ASSERT_TRUE(WriteFileAtomically(path, bytes).ok);
}

TEST(CharacterMatrix, DeleteMovesTheLastEntryIntoTheHole) {
  ScriptedMessageBoxes boxes;
  CharacterMatrix matrix = Numbered(10, boxes);
  const MatrixEntry tenth = matrix.Entry(10);
  matrix.Delete(3);
  ASSERT_EQ(matrix.Count(), 9u);
  EXPECT_EQ(matrix.Entry(3), tenth);
  EXPECT_EQ(matrix.Size(3).width, tenth.glyph.Width);
  EXPECT_EQ(matrix.Entry(2).text, "2");
  EXPECT_EQ(matrix.Entry(9).text, "9");

  matrix.Delete(9);  // the last just shortens the list
  EXPECT_EQ(matrix.Count(), 8u);
  EXPECT_EQ(matrix.Entry(8).text, "8");
  matrix.Delete(0);
  matrix.Delete(9);
  EXPECT_EQ(matrix.Count(), 8u);

  CharacterMatrix empty;
  empty.Delete(1);
  EXPECT_EQ(empty.Count(), 0u);
  EXPECT_FALSE(empty.Modified());
}

TEST(CharacterMatrix, ChangesSetTheModifiedFlagAndNewClearsEverything) {
  ScriptedMessageBoxes boxes;
  CharacterMatrix matrix;
  EXPECT_FALSE(matrix.Modified());
  matrix.Add(EntryOf("a"), boxes);
  EXPECT_TRUE(matrix.Modified());
  matrix.SetFileName("/x/y.sum");
  matrix.SetComment(std::string(300, 'c'));
  EXPECT_EQ(matrix.Comment().size(), CharacterMatrix::kMaxComment);
  matrix.SetText(1, "twenty-one characters");
  EXPECT_EQ(matrix.Entry(1).text, "twenty-one character");
  matrix.New();
  EXPECT_EQ(matrix.Count(), 0u);
  EXPECT_TRUE(matrix.Comment().empty());
  EXPECT_TRUE(matrix.FileName().empty());
  EXPECT_FALSE(matrix.Modified());
}

TEST(CharacterMatrix, AddingPastTheLimitWarnsAndAddsNothing) {
  ScriptedMessageBoxes boxes;
  CharacterMatrix matrix;
  for (size_t i = 0; i < CharacterMatrix::kMaxEntries; ++i) {
    ASSERT_TRUE(matrix.Add(EntryOf("x"), boxes));
  }
  EXPECT_TRUE(boxes.asked.empty());
  EXPECT_FALSE(matrix.Add(EntryOf("y"), boxes));
  EXPECT_EQ(matrix.Count(), CharacterMatrix::kMaxEntries);
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].kind, MessageKind::Warning);
  EXPECT_EQ(boxes.asked[0].text,
            "Maximum Number of Characters reached : 65535\r"
            "You have to use a different char. matrix for each DVD.");
}

TEST(MatrixFile, LayoutIsHeaderThenRowMajorRecords) {
  ScriptedMessageBoxes boxes;
  CharacterMatrix matrix;
  matrix.SetComment("note");
  MatrixEntry entry;
  entry.glyph.Width = 45;
  entry.glyph.Height = 45;
  entry.glyph.TopOffset = 9;
  entry.glyph.SetPixel(0, 0, true);
  entry.glyph.SetPixel(8, 0, true);
  entry.glyph.SetPixel(0, 1, true);    // bit 45
  entry.glyph.SetPixel(44, 44, true);  // bit 2024
  entry.text = "Ab";
  for (int i = 0; i < 258; ++i) matrix.Add(entry, boxes);

  const std::string bytes = SerializeMatrixFile(matrix);
  ASSERT_EQ(bytes.size(), 280u + 277u * 258);
  EXPECT_EQ(bytes.substr(0, 23), "Capter_Char_Matrix_File");
  EXPECT_EQ(bytes.substr(23, 5), std::string("note\0", 5));
  EXPECT_EQ(bytes.substr(28, 250), std::string(250, '\0'));
  EXPECT_EQ(static_cast<uint8_t>(bytes[278]), 0x02);  // 258 little-endian
  EXPECT_EQ(static_cast<uint8_t>(bytes[279]), 0x01);
  const std::string record = bytes.substr(280 + 277, 277);
  EXPECT_EQ(record.substr(0, 3), "\x09\x2D\x2D");
  EXPECT_EQ(record.substr(3, 20), std::string("Ab") + std::string(18, '\0'));
  const std::string bits = record.substr(23);
  EXPECT_EQ(static_cast<uint8_t>(bits[0]), 0x80);
  EXPECT_EQ(static_cast<uint8_t>(bits[1]), 0x80);
  EXPECT_EQ(static_cast<uint8_t>(bits[5]), 0x04);
  EXPECT_EQ(static_cast<uint8_t>(bits[253]), 0x80);
  EXPECT_EQ(std::count(bits.begin(), bits.end(), '\0'), 254 - 4);
}

TEST(MatrixFile, FullTextAndCommentFieldsHaveNoTerminator) {
  ScriptedMessageBoxes boxes;
  CharacterMatrix matrix;
  matrix.SetComment(std::string(255, 'c'));
  matrix.Add(EntryOf(std::string(20, 't')), boxes);
  const std::string bytes = SerializeMatrixFile(matrix);
  EXPECT_EQ(bytes.substr(23, 255), std::string(255, 'c'));
  EXPECT_EQ(bytes.substr(283, 20), std::string(20, 't'));

  CharacterMatrix read;
  ASSERT_EQ(ParseMatrixFile(bytes, read).kind, MatrixFileResult::Ok);
  EXPECT_EQ(read.Comment(), std::string(255, 'c'));
  EXPECT_EQ(read.Entry(1).text, std::string(20, 't'));
}

TEST(MatrixFile, BitsOutsideTheGlyphSizeAreNeitherWrittenNorRead) {
  ScriptedMessageBoxes boxes;
  CharacterMatrix matrix;
  MatrixEntry entry = EntryOf("a", 3, 3);
  entry.glyph.SetPixel(10, 10, true);  // outside 3 x 3
  matrix.Add(entry, boxes);
  std::string bytes = SerializeMatrixFile(matrix);
  const size_t bitsAt = 280 + 23;
  EXPECT_EQ(bytes[bitsAt + (45 * 10 + 10) / 8], 0);
  bytes[bitsAt + 253] = static_cast<char>(0x80);  // pixel (44, 44)
  CharacterMatrix read;
  ASSERT_EQ(ParseMatrixFile(bytes, read).kind, MatrixFileResult::Ok);
  EXPECT_FALSE(read.Entry(1).glyph.Pixel(44, 44));
  EXPECT_FALSE(read.Entry(1).glyph.Pixel(10, 10));
  EXPECT_TRUE(read.Entry(1).glyph.Pixel(2, 2));
}

TEST_F(MatrixFiles, AFullGlyphSurvivesSaveAndLoadWithAll2025Pixels) {
  CharacterMatrix matrix;
  MatrixEntry full;
  full.glyph.Width = full.glyph.Height = 45;
  full.glyph.TopOffset = 3;
  for (int y = 0; y < 45; ++y) {
    for (int x = 0; x < 45; ++x) full.glyph.SetPixel(x, y, true);
  }
  full.text = "W";
  MatrixEntry checker = full;
  for (int y = 0; y < 45; ++y) {
    for (int x = 0; x < 45; ++x) checker.glyph.SetPixel(x, y, (x + y) % 2 == 0);
  }
  checker.text = "#";
  matrix.Add(full, boxes_);
  matrix.Add(checker, boxes_);
  matrix.Add(EntryOf("i", 2, 9, 0), boxes_);
  matrix.SetComment("DVD one");
  matrix.SetFileName(Path("m.sum"));
  ASSERT_TRUE(matrix.Save(boxes_));
  EXPECT_FALSE(matrix.Modified());
  EXPECT_EQ(fs::file_size(Path("m.sum")), 280u + 277u * 3);

  CharacterMatrix read;
  ASSERT_TRUE(read.Load(Path("m.sum"), boxes_));
  EXPECT_TRUE(boxes_.asked.empty());
  ASSERT_EQ(read.Count(), 3u);
  for (size_t i = 1; i <= 3; ++i) {
    EXPECT_EQ(read.Entry(i), matrix.Entry(i)) << i;
    EXPECT_EQ(read.Rows(i), matrix.Rows(i)) << i;
  }
  int set = 0;
  for (int y = 0; y < 45; ++y) {
    for (int x = 0; x < 45; ++x) set += read.Entry(1).glyph.Pixel(x, y);
  }
  EXPECT_EQ(set, 2025);
  EXPECT_EQ(read.Comment(), "DVD one");
  EXPECT_EQ(read.FileName(), Path("m.sum"));
  EXPECT_FALSE(read.Modified());
}

// The matrix a failed load must leave alone.
CharacterMatrix Current(MessageBoxes& boxes) {
  CharacterMatrix matrix;
  matrix.Add(EntryOf("keep"), boxes);
  matrix.SetComment("current");
  matrix.SetFileName("/somewhere/current.sum");
  return matrix;
}

void ExpectUntouched(const CharacterMatrix& matrix) {
  ASSERT_EQ(matrix.Count(), 1u);
  EXPECT_EQ(matrix.Entry(1).text, "keep");
  EXPECT_EQ(matrix.Comment(), "current");
  EXPECT_EQ(matrix.FileName(), "/somewhere/current.sum");
  EXPECT_TRUE(matrix.Modified());
}

TEST_F(MatrixFiles, AFileDifferingInAnyMagicByteIsRejected) {
  ScriptedMessageBoxes boxes;
  CharacterMatrix good;
  good.Add(EntryOf("a"), boxes);
  const std::string bytes = SerializeMatrixFile(good);
  for (size_t i = 0; i < 23; ++i) {
    std::string bad = bytes;
    bad[i] = static_cast<char>(bad[i] ^ 0x01);
    WriteBytes(Path("bad.sum"), bad);
    CharacterMatrix matrix = Current(boxes);
    boxes.asked.clear();
    EXPECT_FALSE(matrix.Load(Path("bad.sum"), boxes)) << i;
    ExpectUntouched(matrix);
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].kind, MessageKind::Warning);
    EXPECT_EQ(boxes.asked[0].text, "This is NOT a valid Char Matrix File !\r" + Path("bad.sum"));
  }
}

TEST_F(MatrixFiles, TruncatedOrMissingFilesLeaveTheCurrentMatrixAsItWas) {
  ScriptedMessageBoxes boxes;
  CharacterMatrix source;
  for (int i = 0; i < 3; ++i) source.Add(EntryOf("s"), boxes);
  const std::string bytes = SerializeMatrixFile(source);
  for (size_t length : {size_t{10}, size_t{100}, size_t{279}, bytes.size() - 1}) {
    WriteBytes(Path("short.sum"), bytes.substr(0, length));
    CharacterMatrix matrix = Current(boxes);
    boxes.asked.clear();
    EXPECT_FALSE(matrix.Load(Path("short.sum"), boxes)) << length;
    ExpectUntouched(matrix);
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].kind, MessageKind::Error);
    // The message says how short the file is and what it should hold.
    const std::string needed =
        length < 280 ? "the header needs 280"
                     : "the header with 3 records needs " + std::to_string(bytes.size());
    EXPECT_EQ(boxes.asked[0].text, Path("short.sum") + ": the file is cut short: " +
                                       std::to_string(length) + " bytes, " + needed);
  }
  CharacterMatrix matrix = Current(boxes);
  EXPECT_FALSE(matrix.Load(Path("missing.sum"), boxes));
  ExpectUntouched(matrix);
}

TEST_F(MatrixFiles, BytesPastTheDeclaredRecordsAreIgnored) {
  CharacterMatrix source;
  source.Add(EntryOf("a"), boxes_);
  WriteBytes(Path("long.sum"), SerializeMatrixFile(source) + "trailing");
  CharacterMatrix matrix;
  ASSERT_TRUE(matrix.Load(Path("long.sum"), boxes_));
  EXPECT_EQ(matrix.Count(), 1u);
}

class ChosenFiles : public MatrixFileDialogs {
 public:
  std::optional<std::string> ChooseMatrixToOpen() override {
    ++opens;
    return open;
  }
  std::optional<std::string> ChooseMatrixToSave() override {
    ++saves;
    return save;
  }
  std::optional<std::string> open, save;
  int opens = 0, saves = 0;
};

TEST_F(MatrixFiles, SavingAnEmptyMatrixWarnsAndWritesNothing) {
  ChosenFiles files;
  files.save = Path("empty.sum");
  CharacterMatrix matrix;
  EXPECT_FALSE(SaveMatrixCommand(matrix, boxes_, files));
  EXPECT_FALSE(SaveMatrixAsCommand(matrix, boxes_, files));
  EXPECT_EQ(files.saves, 0);
  EXPECT_FALSE(fs::exists(Path("empty.sum")));
  ASSERT_EQ(boxes_.asked.size(), 2u);
  EXPECT_EQ(boxes_.asked[0].text, "The Character Matrix is Empty !");
}

TEST_F(MatrixFiles, SaveAsAsksBeforeReplacingAFile) {
  WriteBytes(Path("old.sum"), "old");
  ChosenFiles files;
  files.save = Path("old.sum");
  CharacterMatrix matrix;
  matrix.Add(EntryOf("a"), boxes_);
  ScriptedMessageBoxes refuse({Answer::No});
  EXPECT_FALSE(SaveMatrixAsCommand(matrix, refuse, files));
  EXPECT_EQ(refuse.asked[0].text, "File old.sum already exists ! Replace ?");
  EXPECT_EQ(ReadBytes(Path("old.sum")), "old");
  EXPECT_TRUE(matrix.FileName().empty());

  ScriptedMessageBoxes accept({Answer::Yes});
  EXPECT_TRUE(SaveMatrixAsCommand(matrix, accept, files));
  EXPECT_EQ(matrix.FileName(), Path("old.sum"));
  EXPECT_EQ(ReadBytes(Path("old.sum")), SerializeMatrixFile(matrix));
}

TEST_F(MatrixFiles, SaveWritesToAnExistingFileWithoutAsking) {
  ChosenFiles files;
  CharacterMatrix matrix;
  matrix.Add(EntryOf("a"), boxes_);
  matrix.SetFileName(Path("known.sum"));
  WriteBytes(Path("known.sum"), "old");
  EXPECT_TRUE(SaveMatrixCommand(matrix, boxes_, files));
  EXPECT_EQ(files.saves, 0);
  EXPECT_TRUE(boxes_.asked.empty());
  EXPECT_EQ(fs::file_size(Path("known.sum")), 280u + 277u);
}

TEST_F(MatrixFiles, AFailedSaveReportsAndKeepsTheMatrixModified) {
  ChosenFiles files;
  files.save = Path("no/such/folder/m.sum");
  CharacterMatrix matrix;
  matrix.Add(EntryOf("a"), boxes_);
  EXPECT_FALSE(SaveMatrixCommand(matrix, boxes_, files));
  EXPECT_TRUE(matrix.Modified());
  EXPECT_TRUE(matrix.FileName().empty());
  ASSERT_EQ(boxes_.asked.size(), 1u);
  EXPECT_EQ(boxes_.asked[0].kind, MessageKind::Error);
}

TEST_F(MatrixFiles, ConfirmDiscardAsksOnlyForAModifiedMatrix) {
  ChosenFiles files;
  CharacterMatrix matrix;
  EXPECT_TRUE(ConfirmDiscard(matrix, boxes_, files));
  EXPECT_TRUE(boxes_.asked.empty());

  matrix.Add(EntryOf("a"), boxes_);
  matrix.SetFileName(Path("m.sum"));
  ScriptedMessageBoxes cancel({Answer::Cancel});
  EXPECT_FALSE(ConfirmDiscard(matrix, cancel, files));
  ASSERT_EQ(cancel.asked.size(), 1u);
  EXPECT_EQ(cancel.asked[0].kind, MessageKind::Warning);
  EXPECT_EQ(cancel.asked[0].buttons, ButtonSet::YesNoCancel);
  EXPECT_EQ(cancel.asked[0].text,
            "Character Matrix m.sum has been modified.\rDo you want to Save it ?");

  ScriptedMessageBoxes no({Answer::No});
  EXPECT_TRUE(ConfirmDiscard(matrix, no, files));
  EXPECT_TRUE(matrix.Modified());

  // Yes saves first (here as Save As, since m.sum does not exist yet).
  files.save = Path("m.sum");
  ScriptedMessageBoxes yes({Answer::Yes});
  EXPECT_TRUE(ConfirmDiscard(matrix, yes, files));
  EXPECT_FALSE(matrix.Modified());
  EXPECT_TRUE(fs::exists(Path("m.sum")));
}

// Only a comment was typed: Save would refuse the empty matrix, and there is
// nothing to lose, so Yes goes on without a file dialog.
TEST_F(MatrixFiles, ConfirmDiscardLetsAModifiedEmptyMatrixGoOnYes) {
  ChosenFiles files;
  CharacterMatrix matrix;
  matrix.SetComment("only a comment");
  ASSERT_TRUE(matrix.Modified());
  ScriptedMessageBoxes yes({Answer::Yes});
  EXPECT_TRUE(ConfirmDiscard(matrix, yes, files));
  EXPECT_EQ(yes.asked.size(), 1u);
  EXPECT_EQ(files.saves, 0);
}

TEST_F(MatrixFiles, ConfirmDiscardKeepsTheMatrixWhenItsSaveDoesNotHappen) {
  ChosenFiles files;  // the user cancels the file dialog
  CharacterMatrix matrix;
  matrix.Add(EntryOf("a"), boxes_);
  ScriptedMessageBoxes yes({Answer::Yes});
  EXPECT_FALSE(ConfirmDiscard(matrix, yes, files));
  EXPECT_FALSE(NewMatrixCommand(matrix, yes, files));
  EXPECT_EQ(matrix.Count(), 1u);
}

TEST_F(MatrixFiles, OpeningWhileModifiedAsksFirst) {
  CharacterMatrix other;
  other.Add(EntryOf("o"), boxes_);
  other.SetFileName(Path("other.sum"));
  ASSERT_TRUE(other.Save(boxes_));

  ChosenFiles files;
  files.open = Path("other.sum");
  CharacterMatrix matrix = Current(boxes_);
  ScriptedMessageBoxes cancel({Answer::Cancel});
  EXPECT_FALSE(OpenMatrixCommand(matrix, cancel, files));
  EXPECT_EQ(files.opens, 0);
  ExpectUntouched(matrix);

  ScriptedMessageBoxes no({Answer::No});
  EXPECT_TRUE(OpenMatrixCommand(matrix, no, files));
  EXPECT_EQ(matrix.Entry(1).text, "o");
  EXPECT_EQ(matrix.FileName(), Path("other.sum"));
  EXPECT_FALSE(matrix.Modified());
  EXPECT_EQ(FileNameOnly(matrix.FileName()), "other.sum");
}

}  // namespace
}  // namespace capter::testing
