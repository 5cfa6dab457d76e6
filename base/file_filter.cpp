#include "base/file_filter.h"

namespace capter {
namespace {

bool EndsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string QtEntry(const FilterEntry& entry) {
  std::string patterns = entry.patterns;
  for (char& c : patterns) {
    if (c == ';') c = ' ';
  }
  const std::string& d = entry.description;
  if (EndsWith(d, "(" + entry.patterns + ")")) {
    return d.substr(0, d.size() - entry.patterns.size() - 1) + patterns + ")";
  }
  return d + " (" + patterns + ")";
}

}  // namespace

std::vector<FilterEntry> ParseFileFilter(const std::string& filter) {
  std::vector<std::string> parts;
  size_t begin = 0;
  while (begin <= filter.size()) {
    const size_t bar = filter.find('|', begin);
    const size_t end = bar == std::string::npos ? filter.size() : bar;
    parts.push_back(filter.substr(begin, end - begin));
    if (bar == std::string::npos) break;
    begin = bar + 1;
  }
  std::vector<FilterEntry> entries;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) entries.push_back({parts[i], parts[i + 1]});
  return entries;
}

std::string QtFileFilter(const std::string& filter) {
  std::string out;
  for (const FilterEntry& entry : ParseFileFilter(filter)) {
    if (!out.empty()) out += ";;";
    out += QtEntry(entry);
  }
  return out;
}

std::string QtFileFilterEntry(const std::string& filter, size_t index) {
  const std::vector<FilterEntry> entries = ParseFileFilter(filter);
  return index < entries.size() ? QtEntry(entries[index]) : std::string();
}

}  // namespace capter
