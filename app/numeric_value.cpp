#include "app/numeric_value.h"

#include <algorithm>
#include <charconv>

namespace capter {

bool NumericKeyAccepted(char32_t key, const NumericRange& range) {
  if (key >= U'0' && key <= U'9') return true;
  if (key == U'\b' || key == U'\r' || key == U'\n') return true;
  return range.allowMinus && key == U'-';
}

std::optional<int64_t> ParseNumericText(const std::string& text, bool allowMinus) {
  if (text.empty() || (!allowMinus && text[0] == '-')) return std::nullopt;
  int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || ptr != end) return std::nullopt;
  return value;
}

int64_t NumericValue(const std::string& text, const NumericRange& range) {
  return ParseNumericText(text, range.allowMinus).value_or(range.min);
}

void SetNumericMin(NumericRange& range, int64_t value, int64_t current) {
  range.min = std::min({value, range.max, current});
}

void SetNumericMax(NumericRange& range, int64_t value, int64_t current) {
  range.max = std::max({value, range.min, current});
}

std::string NumericHint(const NumericRange& range) {
  return "Entier entre " + std::to_string(range.min) + " et " + std::to_string(range.max);
}

int NumericMaxLength(const NumericRange& range) {
  const auto digits = [](int64_t v) { return static_cast<int>(std::to_string(v).size()); };
  return range.allowMinus ? std::max(digits(range.min), digits(range.max)) : digits(range.max);
}

NumericCheck CheckNumericText(const std::string& text, const NumericRange& range) {
  const std::string min = std::to_string(range.min);
  const std::string max = std::to_string(range.max);
  if (text.empty()) {
    return {false, range.min, "Valeur comprise entre " + min + " et " + max + " attendue."};
  }
  const std::optional<int64_t> parsed = ParseNumericText(text, range.allowMinus);
  // A number too long for 64 bits is above any maximum.
  const bool huge = !parsed && text.find_first_not_of("0123456789") == std::string::npos;
  const int64_t value = huge ? range.max + 1 : parsed.value_or(range.min);
  if (value < range.min) return {false, range.min, "Valeur trop petite : Valeur minimum = " + min};
  if (value > range.max) return {false, range.max, "Valeur trop grande : Valeur maximum = " + max};
  return {true, value, {}};
}

}  // namespace capter
