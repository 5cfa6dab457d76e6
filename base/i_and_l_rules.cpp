#include "base/i_and_l_rules.h"

namespace capter {

namespace {

bool IsUpper(char c) {
  return c >= 'A' && c <= 'Z';
}

// The two characters before and after one position.
struct Neighbours {
  char p2, p1, n1, n2;
};

Neighbours NeighboursOf(const std::string& line, size_t index, char context) {
  // Position k of the line is position k + 2 of context + ' ' + line + "  ".
  const auto at = [&](size_t k) -> char {
    if (k == 0) return context;
    if (k == 1 || k - 2 >= line.size()) return ' ';
    return line[k - 2];
  };
  const size_t w = index + 2;
  return {at(w - 2), at(w - 1), at(w + 1), at(w + 2)};
}

bool EnglishOnly(const Neighbours& c) {
  return c.p1 == '"' || (c.p2 == '"' && c.p1 == ' ');  // 7
}

bool OneLetterWord(const Neighbours& c) {
  return c.p1 == ' ' && c.n1 == ' ';  // 2
}

bool EnglishAndGerman(const Neighbours& c) {
  return ((c.n1 == '\'' || c.n2 == '\'') && c.p1 == ' ') ||  // 1
         OneLetterWord(c) ||                                 // 2
         (c.p1 == ' ' && c.n1 == 't' && c.n2 == ' ');        // 3
}

bool AllLanguages(const Neighbours& c) {
  return (c.p1 == '.' && c.p2 != '.') || (c.p1 == ' ' && c.p2 == '.') ||                   // 4
         (c.p1 == '-' && (c.p2 == ' ' || c.p2 == '-')) || (c.p1 == ' ' && c.p2 == '-') ||  // 5
         c.p1 == '[' || (c.p2 == '[' && c.p1 == ' ') ||                                    // 6
         IsUpper(c.n1) || (IsUpper(c.p1) && c.p1 != 'I' && c.n1 == ' ') ||                 // 8
         (c.n1 == 'l' && (c.n2 == 'l' || (c.p1 == ' ' && c.n2 == ' ')));                   // 9
}

bool GermanOnly(const Neighbours& c) {
  static const std::string kFollowers = "ndhcrs";
  return c.p1 == ' ' && c.n1 != '\0' && kFollowers.find(c.n1) != std::string::npos;  // 10
}

}  // namespace

bool BecomesCapitalI(const std::string& line, size_t index, char context, IAndLRules rules) {
  const Neighbours n = NeighboursOf(line, index, context);
  if (AllLanguages(n)) return true;
  switch (rules) {
    case IAndLRules::English:
      return EnglishAndGerman(n) || EnglishOnly(n);
    case IAndLRules::German:
      return EnglishAndGerman(n) || GermanOnly(n);
    case IAndLRules::French:
      return false;
    case IAndLRules::EveryLanguage:
      return OneLetterWord(n);
  }
  return false;
}

void DecideIAndL(std::string& line, char context, IAndLRules rules,
                 std::span<const size_t> positions) {
  for (size_t p : positions) {
    if (p < line.size() && (line[p] == 'I' || line[p] == 'l')) line[p] = 'l';
  }
  for (size_t p : positions) {
    if (p < line.size() && line[p] == 'l' && BecomesCapitalI(line, p, context, rules)) {
      line[p] = 'I';
    }
  }
}

}  // namespace capter
