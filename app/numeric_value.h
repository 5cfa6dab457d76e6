// The rules of the dialogs' whole-number fields (TWord_u for 16-bit
// unsigned values, TInteger_u for 32-bit signed ones): which keys they take,
// how their text reads as a value, how their bounds move, their hint, and the
// check when the field loses the focus. The widgets only apply these.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace capter {

struct NumericRange {
  bool allowMinus = false;  // TInteger_u
  int64_t min = 0;
  int64_t max = 65535;
};

inline constexpr NumericRange kWordRange{.allowMinus = false, .min = 0, .max = 65535};
inline constexpr NumericRange kIntegerRange{
    .allowMinus = true, .min = -2147483647, .max = 2147483647};

// Whether a typed character reaches the field: digits, backspace and Enter,
// and the minus sign where negative values are allowed.
bool NumericKeyAccepted(char32_t key, const NumericRange& range);

// The text as a decimal integer (a leading minus sign allowed), or nothing.
// Values beyond 64 bits read as nothing.
std::optional<int64_t> ParseNumericText(const std::string& text, bool allowMinus);

// The field's value: the text's number, or the minimum when it is none.
// The number is not limited here (a check on focus loss does that).
int64_t NumericValue(const std::string& text, const NumericRange& range);

// New bounds that never exclude the current value.
void SetNumericMin(NumericRange& range, int64_t value, int64_t current);
void SetNumericMax(NumericRange& range, int64_t value, int64_t current);

// "Entier entre MIN et MAX".
std::string NumericHint(const NumericRange& range);

// The longest text the field takes: the characters of the maximum, or of
// the longer bound where negative values are allowed.
int NumericMaxLength(const NumericRange& range);

// The check when the field loses the focus: the value it keeps and, when
// the text was wrong, the message to show (the focus then goes back).
struct NumericCheck {
  bool ok = true;
  int64_t value = 0;
  std::string message;
};
NumericCheck CheckNumericText(const std::string& text, const NumericRange& range);

}  // namespace capter
