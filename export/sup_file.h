// SUP files: one sub-picture unit, byte for byte as it was collected from the
// stream (size and control-sequence offset, run-length data, control
// sequences), with nothing before or after it.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "base/atomic_file.h"

namespace capter {

// Writes the collected bytes of a unit (its fill count long), creating or
// replacing `path`.
FileResult WriteSupFile(std::span<const uint8_t> unit, const std::string& path);

}  // namespace capter
