// An independent BMP decoder for the tests: ImageMagick's identify and
// convert, run as programs.
#pragma once

#include <cstdio>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>

#include "stream/picture.h"

namespace capter::testing {

inline std::string RunCommand(const std::string& command) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
  std::string out;
  if (!pipe) return out;
  char buffer[4096];
  size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0) out.append(buffer, n);
  return out;
}

// "Geometry", "Depth", "Colormap entries", ... from `identify -verbose`.
inline std::map<std::string, std::string> IdentifyBmp(const std::string& path) {
  std::map<std::string, std::string> fields;
  std::istringstream lines(RunCommand("identify -verbose '" + path + "' 2>/dev/null"));
  for (std::string line; std::getline(lines, line);) {
    const size_t colon = line.find(": ");
    const size_t start = line.find_first_not_of(' ');
    if (colon == std::string::npos || start == std::string::npos || start > 2) continue;
    fields.emplace(line.substr(start, colon - start), line.substr(colon + 2));
  }
  return fields;
}

// The pixels as ImageMagick decodes them, keyed by (x, y).
inline std::map<std::pair<int, int>, Colour> ConvertPixels(const std::string& path) {
  std::map<std::pair<int, int>, Colour> pixels;
  std::istringstream lines(RunCommand("convert '" + path + "' -depth 8 txt:- 2>/dev/null"));
  for (std::string line; std::getline(lines, line);) {
    int x = 0, y = 0;
    unsigned r = 0, g = 0, b = 0;
    if (std::sscanf(line.c_str(), "%d,%d: (%u,%u,%u", &x, &y, &r, &g, &b) == 5) {
      pixels[{x, y}] =
          MakeColour(static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b));
    }
  }
  return pixels;
}

}  // namespace capter::testing
