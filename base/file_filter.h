// File-dialog filters: the program's form alternates descriptions and
// patterns with vertical bars ("Capter File (*.cpt)|*.cpt|All|*.*"); Qt's
// form lists "description (patterns)" entries separated by ";;".
#pragma once

#include <string>
#include <vector>

namespace capter {

struct FilterEntry {
  std::string description;
  std::string patterns;  // "*.bmp;*.jpg"
};

// The entries of a bar-separated filter (a trailing description without
// patterns is dropped).
std::vector<FilterEntry> ParseFileFilter(const std::string& filter);

// The Qt form: each entry's description followed by its patterns in
// parentheses, blank-separated; a description that already ends with its
// patterns in parentheses keeps them there.
std::string QtFileFilter(const std::string& filter);

// The Qt filter string of entry `index` (0-based) of `filter`, for
// choosing which one a dialog shows first; empty when there is none.
std::string QtFileFilterEntry(const std::string& filter, size_t index);

}  // namespace capter
