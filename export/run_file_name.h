// Names of the files a BMP or SUP run writes: the beginning the user typed,
// the run's total unit count and the extension.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace capter {

inline constexpr std::string_view kBmpRunExtension = ".bmp";
inline constexpr std::string_view kSupRunExtension = ".sup";

// beginning + count in decimal, left-padded with "0" to at least six digits,
// + extension: ("film", 1, ".bmp") gives "film000001.bmp"; larger counts keep
// all their digits.
std::string RunFileName(std::string_view beginning, uint32_t count, std::string_view extension);

}  // namespace capter
