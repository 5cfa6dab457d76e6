// Deciding whether a letter that may be a capital I or a small l is the one
// or the other from the characters around it. The text window's correction
// applies the rules to every I and l of a line; recognition applies the
// rules that hold in every language to the letters whose shape cannot tell.
#pragma once

#include <cstddef>
#include <span>
#include <string>

namespace capter {

// Which conditions turn a small l into a capital I.
enum class IAndLRules {
  English,
  French,
  German,
  // The conditions every language shares, and a one-letter word between
  // spaces; nothing that would turn a French "l'" into "I'".
  EveryLanguage,
};

// Whether the small l at `index` of `line` becomes a capital I. `context` is
// the character before the line (a full stop for a subtitle's first line,
// else the last character of the line before); the line is seen as
// context, a space, the line and two spaces.
bool BecomesCapitalI(const std::string& line, size_t index, char context, IAndLRules rules);

// Sets every listed position of `line` (ascending, each an I or an l) to a
// small l, then visits them left to right and makes each a capital I when
// the rules say so; a decision is seen by the positions after it.
void DecideIAndL(std::string& line, char context, IAndLRules rules,
                 std::span<const size_t> positions);

}  // namespace capter
