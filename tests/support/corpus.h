// Access to the VOB test corpus: case folders, their VOB files in reading
// order, and the expected subtitle files.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "stream/time_code.h"

namespace capter::testing {

std::string CorpusDir();

struct ExpectedSubtitle {
  int number = 0;
  TimeCode start;
  TimeCode stop;
  std::vector<std::string> lines;  // cp1252 bytes
};

// A source picture of an image stream and where spumux was asked to place it.
struct CorpusImage {
  std::string path;
  int x = 0;
  int y = 0;
};

struct CorpusStream {
  int index = 0;          // 0-based; sub-stream id 0x20 + index
  std::string lang;       // IFO code, may be empty
  std::string mode;       // "text" or "image"
  std::string truthFile;  // path
  std::string exactFile;  // path
  // Pixel code of each PNG palette index (0 background, 1 fill,
  // 2 antialias, 3 outline or shadow); -1 where the stream has no such colour.
  std::array<int, 4> pixelCodes{-1, -1, -1, -1};
  std::vector<CorpusImage> images;  // image streams, in subtitle order
};

struct CorpusCase {
  std::string name;
  std::string dir;
  std::string tvSystem;               // "PAL" / "NTSC"
  std::vector<std::string> vobFiles;  // full paths, reading order
  std::string ifoFile;
  std::vector<CorpusStream> streams;
};

// Every case of the corpus, in name order.
std::vector<CorpusCase> CorpusCases();
CorpusCase FindCorpusCase(const std::string& name);

// Reads a number / "hh:mm:ss,mmm --> hh:mm:ss,mmm" / lines / blank file.
std::vector<ExpectedSubtitle> ReadExpectedSubtitles(const std::string& path);

}  // namespace capter::testing
