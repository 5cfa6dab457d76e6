#include "base/ini_file.h"

#include <filesystem>

#include "base/cp1252.h"

namespace capter {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view s) {
  const size_t first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

std::string Unquote(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

// A value as it can be stored on one line: line breaks would start a new
// key, so they become blanks.
std::string OneLine(std::string_view value) {
  std::string text(value);
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

// The text written after "key=": quoted when the reader would otherwise
// lose blanks or a pair of quotes, so it reads back as `text`.
std::string Quote(const std::string& text) {
  if (text.empty()) return text;
  const bool blankEnd = kBlanks.find(text.front()) != std::string_view::npos ||
                        kBlanks.find(text.back()) != std::string_view::npos;
  const bool quoted = text.size() >= 2 && text.front() == '"' && text.back() == '"';
  return blankEnd || quoted ? '"' + text + '"' : text;
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int HexValue(char c) {
  if (c <= '9') return c - '0';
  return (c | 0x20) - 'a' + 10;
}

}  // namespace

std::optional<int32_t> ParseIniInteger(std::string_view text) {
  text = Trim(text);
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    const std::string_view digits = text.substr(2);
    if (digits.size() > 8) return std::nullopt;
    uint32_t value = 0;
    for (char c : digits) {
      if (!IsHexDigit(c)) return std::nullopt;
      value = (value << 4) | static_cast<uint32_t>(HexValue(c));
    }
    return static_cast<int32_t>(value);
  }
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > int64_t{1} << 31) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(value);
}

void IniFile::Parse(std::string_view bytes) {
  sections_.clear();
  sections_.push_back(Section{});
  while (!bytes.empty()) {
    const size_t end = bytes.find('\n');
    std::string_view raw = bytes.substr(0, end);
    bytes = end == std::string_view::npos ? std::string_view{} : bytes.substr(end + 1);
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    const std::string_view text = Trim(raw);
    if (!text.empty() && text.front() == '[') {
      const size_t close = text.find(']');
      sections_.push_back(Section{
          std::string(Trim(text.substr(1, close == std::string_view::npos ? close : close - 1))),
          true,
          {}});
      continue;
    }
    Line line{std::string(raw), {}, {}};
    const size_t equals = text.find('=');
    if (!text.empty() && text.front() != ';' && equals != std::string_view::npos) {
      line.key = std::string(Trim(text.substr(0, equals)));
      if (!line.key.empty()) line.value = Unquote(Trim(text.substr(equals + 1)));
    }
    sections_.back().lines.push_back(std::move(line));
  }
}

FileResult IniFile::Load(const std::string& path, IniFile& ini) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) {
    ini = IniFile();
    return {};
  }
  if (status.type() == std::filesystem::file_type::directory) {
    return FileResult{false, path + ": Is a directory"};
  }
  std::string bytes;
  FileResult result = ReadWholeFile(path, bytes);
  if (!result.ok) return result;
  ini = IniFile(bytes);
  return result;
}

FileResult IniFile::Save(const std::string& path) const {
  return WriteFileAtomically(path, Serialise());
}

FileResult IniFile::Edit(const std::string& path, const std::function<void(IniFile&)>& edit) {
  IniFile ini;
  FileResult result = Load(path, ini);
  if (!result.ok) return result;
  edit(ini);
  return ini.Save(path);
}

std::string IniFile::Serialise() const {
  std::string out;
  for (const Section& section : sections_) {
    if (section.hasHeader) out += '[' + section.name + "]\r\n";
    for (const Line& line : section.lines) out += line.raw + "\r\n";
  }
  return out;
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
  for (const Section& section : sections_) {
    if (section.hasHeader && EqualsIgnoreCase1252(section.name, name)) return &section;
  }
  return nullptr;
}

bool IniFile::HasSection(std::string_view section) const {
  return FindSection(section) != nullptr;
}

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view key) const {
  const Section* found = FindSection(section);
  if (found == nullptr) return std::nullopt;
  for (const Line& line : found->lines) {
    if (!line.key.empty() && EqualsIgnoreCase1252(line.key, key)) return line.value;
  }
  return std::nullopt;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                const std::string& fallback) const {
  return Find(section, key).value_or(fallback);
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                             int32_t fallback) const {
  const std::optional<std::string> value = Find(section, key);
  if (!value) return fallback;
  return ParseIniInteger(*value).value_or(fallback);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

IniFile::Section& IniFile::SectionForWriting(std::string_view name) {
  for (Section& section : sections_) {
    if (section.hasHeader && EqualsIgnoreCase1252(section.name, name)) return section;
  }
  if (sections_.empty()) sections_.push_back(Section{});
  // Sections are set apart by a blank line.
  Section& last = sections_.back();
  if (!last.lines.empty() && !Trim(last.lines.back().raw).empty()) last.lines.push_back(Line{});
  sections_.push_back(Section{std::string(name), true, {}});
  return sections_.back();
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  Section& target = SectionForWriting(section);
  std::string text = OneLine(value);
  Line line{std::string(key) + '=' + Quote(text), std::string(key), std::move(text)};
  for (Line& existing : target.lines) {
    if (!existing.key.empty() && EqualsIgnoreCase1252(existing.key, key)) {
      existing = std::move(line);
      return;
    }
  }
  // A new key goes after the section's last non-blank line.
  auto at = target.lines.end();
  while (at != target.lines.begin() && Trim((at - 1)->raw).empty()) --at;
  target.lines.insert(at, std::move(line));
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int64_t value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

}  // namespace capter
