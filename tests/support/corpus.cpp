#include "tests/support/corpus.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace capter::testing {
namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The string value of the first `"key": "value"` in `json`.
std::string JsonString(const std::string& json, const std::string& key, size_t from = 0) {
  const size_t at = json.find("\"" + key + "\"", from);
  if (at == std::string::npos) return {};
  const size_t open = json.find('"', json.find(':', at) + 1);
  const size_t close = json.find('"', open + 1);
  return json.substr(open + 1, close - open - 1);
}

// The integer value of the first `"key": n` in json[from, to).
int JsonInt(const std::string& json, const std::string& key, size_t from, size_t to) {
  const size_t at = json.find("\"" + key + "\"", from);
  if (at == std::string::npos || at >= to) return -1;
  return std::stoi(json.substr(json.find(':', at) + 1));
}

void ReadPixelCodes(const std::string& json, size_t from, CorpusStream& s) {
  const size_t open = json.find("\"pixel_codes\"", from);
  if (open == std::string::npos) return;
  const size_t close = json.find('}', open);
  const char* roles[4] = {"background", "fill", "antialias", "outline"};
  for (int i = 0; i < 4; ++i) s.pixelCodes[i] = JsonInt(json, roles[i], open, close);
  if (s.pixelCodes[3] < 0) s.pixelCodes[3] = JsonInt(json, "shadow", open, close);
}

// The <spu image=... xoffset=... yoffset=...> entries of a spumux file.
std::vector<CorpusImage> ReadSpumuxImages(const std::string& dir, const std::string& xmlPath) {
  std::vector<CorpusImage> images;
  const std::string xml = ReadText(xmlPath);
  const auto attribute = [&](size_t from, const std::string& name) {
    const size_t at = xml.find(" " + name + "=\"", from) + name.size() + 3;
    return xml.substr(at, xml.find('"', at) - at);
  };
  for (size_t at = xml.find("<spu "); at != std::string::npos; at = xml.find("<spu ", at + 1)) {
    images.push_back({dir + "/" + attribute(at, "image"), std::stoi(attribute(at, "xoffset")),
                      std::stoi(attribute(at, "yoffset"))});
  }
  return images;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  std::istringstream in(text);
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

std::string CorpusDir() {
  return CAPTER_CORPUS_DIR;
}

std::vector<CorpusCase> CorpusCases() {
  std::vector<CorpusCase> cases;
  for (const auto& entry : fs::directory_iterator(CorpusDir())) {
    if (!fs::exists(entry.path() / "case.json")) continue;
    CorpusCase c;
    c.name = entry.path().filename().string();
    c.dir = entry.path().string();
    const std::string json = ReadText((entry.path() / "case.json").string());
    c.tvSystem = JsonString(json, "tv_system");
    c.ifoFile = c.dir + "/" + JsonString(json, "ifo");
    for (const auto& f : fs::directory_iterator(entry.path() / "VIDEO_TS")) {
      const std::string name = f.path().filename().string();
      if (name.size() == 12 && name.ends_with(".VOB") && name.starts_with("VTS_") &&
          name[7] != '0') {
        c.vobFiles.push_back(f.path().string());
      }
    }
    std::sort(c.vobFiles.begin(), c.vobFiles.end());
    size_t at = json.find("\"streams\"");
    for (int index = 0;; ++index) {
      at = json.find("\"index\"", at + 1);
      if (at == std::string::npos) break;
      CorpusStream s;
      s.index = index;
      s.lang = JsonString(json, "lang", at);
      s.truthFile = c.dir + "/" + JsonString(json, "truth", at);
      s.exactFile = c.dir + "/" + JsonString(json, "exact", at);
      s.mode = JsonString(json, "mode", at);
      ReadPixelCodes(json, at, s);
      if (s.mode == "image") {
        s.images = ReadSpumuxImages(
            c.dir, c.dir + "/sources/stream" + std::to_string(index) + ".spumux.xml");
      }
      c.streams.push_back(s);
    }
    cases.push_back(std::move(c));
  }
  std::sort(cases.begin(), cases.end(),
            [](const CorpusCase& a, const CorpusCase& b) { return a.name < b.name; });
  return cases;
}

CorpusCase FindCorpusCase(const std::string& name) {
  for (auto& c : CorpusCases()) {
    if (c.name == name) return c;
  }
  return {};
}

std::vector<ExpectedSubtitle> ReadExpectedSubtitles(const std::string& path) {
  std::vector<ExpectedSubtitle> subtitles;
  const std::vector<std::string> lines = SplitLines(ReadText(path));
  for (size_t i = 0; i + 1 < lines.size();) {
    if (lines[i].empty()) {
      ++i;
      continue;
    }
    ExpectedSubtitle s;
    s.number = std::stoi(lines[i]);
    s.start = ParseTimeCode(lines[i + 1].substr(0, 12));
    s.stop = ParseTimeCode(lines[i + 1].substr(17, 12));
    i += 2;
    while (i < lines.size() && !lines[i].empty()) s.lines.push_back(lines[i++]);
    subtitles.push_back(std::move(s));
  }
  return subtitles;
}

}  // namespace capter::testing
