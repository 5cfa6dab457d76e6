#include "stream/ifo_languages.h"

namespace capter {
namespace {

constexpr size_t kFirstCode = 600;
constexpr size_t kRecordSize = 6;
constexpr size_t kMaxNameLength = 20;

struct KnownLanguage {
  char code[3];
  const char* name;
};

constexpr KnownLanguage kKnownLanguages[] = {
    {"en", "English"},   {"de", "German"},    {"es", "Spanish"},   {"nl", "Dutch"},
    {"sv", "Swedish"},   {"no", "Norwegian"}, {"da", "Danish"},    {"fi", "Finnish"},
    {"pt", "Portugese"}, {"iw", "Hebrew"},    {"pl", "Polish"},    {"el", "Greek"},
    {"cs", "Czech"},     {"tr", "Turkish"},   {"hu", "Hungarian"}, {"is", "Icelandic"},
    {"hr", "Croatian"},  {"fr", "French"},    {"it", "Italian"},   {"hi", "Hindi"},
};

}  // namespace

std::string LanguageName(uint8_t first, uint8_t second) {
  if (first == 0 && second == 0) return {};
  const std::string code{static_cast<char>(first), static_cast<char>(second)};
  for (const KnownLanguage& known : kKnownLanguages) {
    if (code == known.code) return std::string(known.name).substr(0, kMaxNameLength);
  }
  return code;
}

std::optional<StreamNames> ReadIfoStreamNames(std::span<const uint8_t> ifo) {
  // The last record's code must be present; the rest of that record is not read.
  if (ifo.size() < kFirstCode + kRecordSize * (kSubPictureStreams - 1) + 2) return std::nullopt;
  StreamNames names;
  for (int n = 0; n < kSubPictureStreams; ++n) {
    const size_t at = kFirstCode + kRecordSize * static_cast<size_t>(n);
    names[static_cast<size_t>(n)] = LanguageName(ifo[at], ifo[at + 1]);
  }
  return names;
}

std::string StreamListItem(int number, const std::string& name) {
  return std::to_string(number) + (number <= 9 ? "  - " : " - ") + name;
}

}  // namespace capter
