// The INI syntax shared by the configuration file, bitmap profiles and
// language files: "[section]" lines and "key=value" lines, section and key
// names matched without regard to letter case, Windows-1252 bytes, CRLF line
// ends.
//
// Reading: blanks around names and values are ignored, and one pair of
// double quotes around a value is removed, so a value that must keep leading
// or trailing blanks is written quoted. Integers are decimal, or hexadecimal
// after "0x"; a missing, empty or malformed value gives the caller's default.
// Booleans are integers, any value but 0 being true.
//
// Writing changes a key in place or adds it at the end of its section (the
// section is added at the end of the file when missing); every other line of
// the file, other sections and comments included, is kept as it was.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/atomic_file.h"

namespace capter {

class IniFile {
 public:
  IniFile() = default;
  explicit IniFile(std::string_view bytes) { Parse(bytes); }

  // Reads a file; a file that does not exist gives an empty IniFile and
  // counts as success. Other failures (unreadable file) are reported, so that
  // a caller never replaces a file it could not read.
  static FileResult Load(const std::string& path, IniFile& ini);
  // Writes the file atomically (temporary file, then rename).
  FileResult Save(const std::string& path) const;
  // Reads the file (a missing one as empty), applies `edit` and writes it
  // back, keeping every line that `edit` does not change.
  static FileResult Edit(const std::string& path, const std::function<void(IniFile&)>& edit);

  std::string Serialise() const;

  bool HasSection(std::string_view section) const;
  // The value of a key, unquoted, or nothing when the key is missing.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;

  std::string ReadString(std::string_view section, std::string_view key,
                         const std::string& fallback) const;
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t fallback) const;
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int64_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

 private:
  struct Line {
    std::string raw;    // the line as read or last written, without line end
    std::string key;    // empty for headers, comments and other lines
    std::string value;  // unquoted value of a key line
  };
  struct Section {
    std::string name;  // empty for the lines before the first header
    bool hasHeader = false;
    std::vector<Line> lines;  // the header line itself is not among them
  };

  void Parse(std::string_view bytes);
  const Section* FindSection(std::string_view name) const;
  Section& SectionForWriting(std::string_view name);

  std::vector<Section> sections_;
};

// Parses an integer value as the INI reader does: decimal with an optional
// sign within 32 bits, or "0x" followed by up to eight hexadecimal digits
// (taken as a 32-bit pattern). Nothing for anything else.
std::optional<int32_t> ParseIniInteger(std::string_view text);

}  // namespace capter
