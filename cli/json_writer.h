// Just enough JSON for the tool's reports: string escaping.
#pragma once

#include <string>

namespace capter::cli {

// `text` (Windows-1252 bytes) as a quoted JSON string; bytes outside ASCII
// are written as \u escapes of the characters they stand for.
std::string JsonString(const std::string& text);

}  // namespace capter::cli
