// The job dialog's file list: the VOB files of a folder in name order, each
// with its check-list text (name padded to 14 characters and the size in KiB
// in an 8-wide field, "VTS_01_1.VOB  [_1048574 Kb]"), and the moves that
// change the order in which a run reads them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace capter {

struct VobEntry {
  std::string path;  // folder + name
  std::string text;  // the check-list text
  uint32_t sizeKiB = 0;
};

struct VobListing {
  std::string folder;  // ends with a path separator
  std::vector<VobEntry> entries;
};

// The check-list text of a file of `bytes` bytes.
std::string VobEntryText(const std::string& name, uint64_t bytes);

// Every regular file of `folder` whose name ends in ".vob" (any letter
// case), sorted by name. A folder that cannot be read lists nothing.
VobListing ListVobFolder(const std::string& folder);

// Exchanges entry `index` with its neighbour above (up) or below; returns
// the entry's new index (unchanged when there is no neighbour).
template <typename T>
int MoveEntry(std::vector<T>& entries, int index, bool up) {
  const int other = up ? index - 1 : index + 1;
  if (index < 0 || other < 0 || static_cast<size_t>(index) >= entries.size() ||
      static_cast<size_t>(other) >= entries.size()) {
    return index;
  }
  std::swap(entries[static_cast<size_t>(index)], entries[static_cast<size_t>(other)]);
  return other;
}

}  // namespace capter
