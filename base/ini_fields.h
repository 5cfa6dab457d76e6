// Moving settings fields between an IniFile and memory. A settings record
// lists its keys once, as a routine templated on the direction, and that
// one list serves both reading and writing:
//
//   template <class Io, class S> void Transfer(Io& io, S& s, const S& d) {
//     io.Section("PREVIEW CFG");
//     io.Field("Zoom", s.Zoom, d.Zoom);
//   }
//
// Reading truncates integers to the field's width (a byte keeps the low 8
// bits, a 16-bit field the low 16) and takes the fallback for a missing or
// malformed value; writing writes booleans as 1/0 and integers in decimal.
#pragma once

#include <string>
#include <string_view>
#include <type_traits>

#include "base/ini_file.h"

namespace capter {

// A directory as stored: without a trailing separator, except the root.
inline std::string NormaliseDirectory(std::string directory) {
  while (directory.size() > 1 && directory.back() == '/') directory.pop_back();
  return directory;
}

class IniFieldReader {
 public:
  explicit IniFieldReader(const IniFile& ini) : ini_(ini) {}
  static constexpr bool kReading = true;

  void Section(std::string_view name) { section_ = name; }

  template <class T>
  void Field(std::string_view key, T& field, const T& fallback) {
    if constexpr (std::is_same_v<T, bool>) {
      field = ini_.ReadBool(section_, key, fallback);
    } else if constexpr (std::is_same_v<T, std::string>) {
      field = ini_.ReadString(section_, key, fallback);
    } else {
      static_assert(std::is_integral_v<T> && sizeof(T) <= 4);
      field = static_cast<T>(ini_.ReadInteger(section_, key, static_cast<int32_t>(fallback)));
    }
  }

  void Directory(std::string_view key, std::string& field, const std::string& fallback) {
    field = NormaliseDirectory(ini_.ReadString(section_, key, fallback));
  }

  // The raw integer of a key, for fields whose reading maps whole values.
  int32_t Integer(std::string_view key, int32_t fallback) const {
    return ini_.ReadInteger(section_, key, fallback);
  }

 private:
  const IniFile& ini_;
  std::string section_;
};

class IniFieldWriter {
 public:
  explicit IniFieldWriter(IniFile& ini) : ini_(ini) {}
  static constexpr bool kReading = false;

  void Section(std::string_view name) { section_ = name; }

  template <class T>
  void Field(std::string_view key, const T& field, const T& /*fallback*/) {
    if constexpr (std::is_same_v<T, bool>) {
      ini_.WriteBool(section_, key, field);
    } else if constexpr (std::is_same_v<T, std::string>) {
      ini_.WriteString(section_, key, field);
    } else {
      static_assert(std::is_integral_v<T> && sizeof(T) <= 4);
      ini_.WriteInteger(section_, key, field);
    }
  }

  void Directory(std::string_view key, const std::string& field, const std::string& /*fallback*/) {
    ini_.WriteString(section_, key, NormaliseDirectory(field));
  }

 private:
  IniFile& ini_;
  std::string section_;
};

// An array field as keys key0, key1, ...: element i is `key` + i, with
// fallback defaults[i].
template <class Io, class Array, class Defaults>
void NumberedFields(Io& io, const char* key, Array& values, const Defaults& defaults) {
  for (size_t i = 0; i < values.size(); ++i) {
    io.Field(key + std::to_string(i), values[i], defaults[i]);
  }
}

}  // namespace capter
