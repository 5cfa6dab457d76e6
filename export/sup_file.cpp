#include "export/sup_file.h"

#include <string_view>

namespace capter {

FileResult WriteSupFile(std::span<const uint8_t> unit, const std::string& path) {
  return WriteFileAtomically(
      path, std::string_view(reinterpret_cast<const char*>(unit.data()), unit.size()));
}

}  // namespace capter
