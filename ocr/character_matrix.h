// The trained character shapes: entries numbered 1..N in the order they were
// added, each a glyph with the text (at most 20 characters) it stands for,
// plus a comment, the file the matrix belongs to and a modified flag.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/message_box.h"
#include "ocr/glyph.h"

namespace capter {

struct MatrixEntry {
  Glyph glyph;
  std::string text;  // at most kMaxEntryText bytes

  friend bool operator==(const MatrixEntry&, const MatrixEntry&) = default;
};

// What the matcher's pre-filter reads of each entry, kept apart from the
// bits so that the scan over all entries stays in a few cache lines.
struct EntrySize {
  uint8_t topOffset = 0;
  uint8_t width = 0;
  uint8_t height = 0;
};

class CharacterMatrix {
 public:
  static constexpr size_t kMaxEntries = 65535;
  static constexpr size_t kMaxEntryText = 20;
  static constexpr size_t kMaxComment = 255;
  // Bytes an entry takes in memory, as the memory messages count them.
  static constexpr size_t kEntryBytes = 294;

  CharacterMatrix() { New(); }

  // Empty, unnamed and unmodified.
  void New();

  size_t Count() const { return entries_.size() - 1; }
  bool Empty() const { return Count() == 0; }
  // Entry `number`, 1..Count().
  const MatrixEntry& Entry(size_t number) const { return entries_[number]; }
  const EntrySize& Size(size_t number) const { return sizes_[number]; }
  const GlyphRows& Rows(size_t number) const { return rows_[number]; }

  bool Modified() const { return modified_; }
  const std::string& FileName() const { return fileName_; }
  const std::string& Comment() const { return comment_; }

  // Appends entry N + 1 (text cut to 20 bytes). At the limit, or when memory
  // runs out, nothing is added and the user is warned.
  bool Add(MatrixEntry entry, MessageBoxes& boxes);
  // Moves the last entry into slot `number`; does nothing for a number
  // outside 1..N.
  void Delete(size_t number);
  void SetText(size_t number, std::string text);
  void SetComment(std::string comment);

  // Replaces the matrix with the file at `path`. All or nothing: the file is
  // read into a scratch matrix first, so a file that is not a matrix, is cut
  // short or cannot be read leaves this matrix exactly as it was. Failures
  // are shown through `boxes`.
  bool Load(const std::string& path, MessageBoxes& boxes);
  // Writes the matrix to FileName(), replacing the file atomically, and
  // clears the modified flag. A write failure is shown through `boxes`.
  bool Save(MessageBoxes& boxes);

  void SetFileName(std::string path) { fileName_ = std::move(path); }
  void Swap(CharacterMatrix& other) noexcept;

  // Used by the file reader on a scratch matrix: appends without limit
  // checks or messages (the count read from a file cannot exceed the limit).
  void Reserve(size_t count);
  void AppendLoaded(MatrixEntry entry);
  void SetLoadedComment(std::string comment) { comment_ = std::move(comment); }

 private:
  void Store(size_t number, MatrixEntry entry);

  // Slot 0 of each vector is a placeholder so that numbers match the file
  // and the dialogs.
  std::vector<MatrixEntry> entries_;
  std::vector<EntrySize> sizes_;
  std::vector<GlyphRows> rows_;
  std::string comment_;
  std::string fileName_;
  bool modified_ = false;
};

// The size the memory messages report: (N + 1) x 294 bytes.
inline size_t MatrixMemoryBytes(size_t count) {
  return (count + 1) * CharacterMatrix::kEntryBytes;
}

}  // namespace capter
