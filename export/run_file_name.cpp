#include "export/run_file_name.h"

namespace capter {

std::string RunFileName(std::string_view beginning, uint32_t count, std::string_view extension) {
  std::string digits = std::to_string(count);
  if (digits.size() < 6) digits.insert(0, 6 - digits.size(), '0');
  std::string name(beginning);
  name += digits;
  name += extension;
  return name;
}

}  // namespace capter
