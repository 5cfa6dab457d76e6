// The language codes of a title set's 32 sub-picture streams, read from its
// IFO file, and the texts of the stream list built from them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace capter {

inline constexpr int kSubPictureStreams = 32;

using StreamNames = std::array<std::string, kSubPictureStreams>;

// The name shown for a two-letter language code: the English name for the
// codes the program knows, the code itself otherwise, empty for two zero
// bytes. Cut to 20 characters.
std::string LanguageName(uint8_t first, uint8_t second);

// The stream names of an IFO file's bytes (codes at byte 600 + 6 * (n - 1)
// for stream n). Nothing when the bytes end before the last record.
std::optional<StreamNames> ReadIfoStreamNames(std::span<const uint8_t> ifo);

// Stream list item n (1..32): the number, a separator that lines the names
// up in a fixed-pitch font, and the name ("1  - English", "10 - French").
std::string StreamListItem(int number, const std::string& name);

}  // namespace capter
