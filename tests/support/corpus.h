// Access to the VOB test corpus: case folders, their VOB files in reading
// order, and the expected subtitle files.
#pragma once

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

struct CorpusStream {
  int index = 0;             // 0-based; sub-stream id 0x20 + index
  std::string lang;          // IFO code, may be empty
  std::string mode;          // "text" or "image"
  std::string truthFile;     // path
  std::string exactFile;     // path
};

struct CorpusCase {
  std::string name;
  std::string dir;
  std::string tvSystem;  // "PAL" / "NTSC"
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
