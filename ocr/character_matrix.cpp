#include "ocr/character_matrix.h"

#include <new>
#include <utility>

#include "base/atomic_file.h"
#include "base/message_ids.h"
#include "base/message_table.h"
#include "ocr/matrix_file.h"

namespace capter {

namespace {

std::string MemoryMessage(size_t first, size_t count) {
  return TwoLines(Messages().GetMessage(first), Messages().GetMessage(kMsgMatrixBytes) +
                                                    std::to_string(MatrixMemoryBytes(count)));
}

std::string Cut(std::string text, size_t limit) {
  if (text.size() > limit) text.resize(limit);
  return text;
}

EntrySize SizeOf(const Glyph& g) {
  return EntrySize{g.TopOffset, g.Width, g.Height};
}

}  // namespace

void CharacterMatrix::New() {
  entries_.assign(1, MatrixEntry{});
  sizes_.assign(1, EntrySize{});
  rows_.assign(1, GlyphRows{});
  comment_.clear();
  fileName_.clear();
  modified_ = false;
}

void CharacterMatrix::Reserve(size_t count) {
  entries_.reserve(count + 1);
  sizes_.reserve(count + 1);
  rows_.reserve(count + 1);
}

void CharacterMatrix::AppendLoaded(MatrixEntry entry) {
  entry.text = Cut(std::move(entry.text), kMaxEntryText);
  sizes_.push_back(SizeOf(entry.glyph));
  rows_.emplace_back();
  entry.glyph.FillRows(rows_.back());
  entries_.push_back(std::move(entry));
}

bool CharacterMatrix::Add(MatrixEntry entry, MessageBoxes& boxes) {
  if (Count() >= kMaxEntries) {
    boxes.Ask(MessageKind::Warning, ButtonSet::Ok,
              TwoLines(Messages().GetMessage(kMsgMaxCharacters) + std::to_string(Count()),
                       Messages().GetMessage(kMsgOneMatrixPerDvd)));
    return false;
  }
  const size_t before = Count();
  try {
    AppendLoaded(std::move(entry));
  } catch (const std::bad_alloc&) {
    // The vectors grow one at a time; drop whatever part got appended.
    entries_.resize(before + 1);
    sizes_.resize(before + 1);
    rows_.resize(before + 1);
    boxes.Ask(MessageKind::Error, ButtonSet::Ok, MemoryMessage(kMsgNoMemoryToAdd, before));
    return false;
  }
  modified_ = true;
  return true;
}

void CharacterMatrix::Delete(size_t number) {
  if (number < 1 || number > Count()) return;
  const size_t last = Count();
  if (number != last) {
    entries_[number] = std::move(entries_[last]);
    sizes_[number] = sizes_[last];
    rows_[number] = rows_[last];
  }
  entries_.pop_back();
  sizes_.pop_back();
  rows_.pop_back();
  modified_ = true;
}

void CharacterMatrix::SetText(size_t number, std::string text) {
  if (number < 1 || number > Count()) return;
  entries_[number].text = Cut(std::move(text), kMaxEntryText);
  modified_ = true;
}

void CharacterMatrix::SetComment(std::string comment) {
  comment_ = Cut(std::move(comment), kMaxComment);
  modified_ = true;
}

void CharacterMatrix::Swap(CharacterMatrix& other) noexcept {
  entries_.swap(other.entries_);
  sizes_.swap(other.sizes_);
  rows_.swap(other.rows_);
  comment_.swap(other.comment_);
  fileName_.swap(other.fileName_);
  std::swap(modified_, other.modified_);
}

bool CharacterMatrix::Load(const std::string& path, MessageBoxes& boxes) {
  CharacterMatrix scratch;
  const MatrixFileResult result = ReadMatrixFile(path, scratch);
  switch (result.kind) {
    case MatrixFileResult::Ok:
      break;
    case MatrixFileResult::NotAMatrix:
      boxes.Ask(MessageKind::Warning, ButtonSet::Ok,
                TwoLines(Messages().GetMessage(kMsgNotAMatrix), path));
      return false;
    case MatrixFileResult::OutOfMemory:
      boxes.Ask(MessageKind::Error, ButtonSet::Ok,
                MemoryMessage(kMsgNoMemoryToLoad, result.declaredCount));
      return false;
    case MatrixFileResult::FileError:
      boxes.Ask(MessageKind::Error, ButtonSet::Ok, path + ": " + result.error);
      return false;
  }
  scratch.fileName_ = path;
  scratch.modified_ = false;
  Swap(scratch);
  return true;
}

bool CharacterMatrix::Save(MessageBoxes& boxes) {
  const FileResult written = WriteFileAtomically(fileName_, SerializeMatrixFile(*this));
  if (!written.ok) {
    boxes.Ask(MessageKind::Error, ButtonSet::Ok, written.error);
    return false;
  }
  modified_ = false;
  return true;
}

}  // namespace capter
