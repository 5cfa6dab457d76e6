// Feeds arbitrary bytes to the INI reader: parsing, reading every kind of
// value, and writing a key must never fail, and a written file must read
// back as written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  capter::IniFile ini(bytes);
  ini.ReadInteger("CONFIG", "ActionMode", 0);
  ini.ReadBool("PREVIEW CFG", "AtTruePos", true);
  ini.ReadString("Messages", "MsgStr_0", "");

  // Serialising is stable after one round.
  const std::string once = ini.Serialise();
  if (capter::IniFile(once).Serialise() != once) std::abort();

  // A value written into the file reads back unchanged (line breaks aside).
  std::string value = bytes.substr(0, 64);
  ini.WriteString("Fuzz Section", "FuzzKey", value);
  for (char& c : value) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  const capter::IniFile reread(ini.Serialise());
  if (reread.ReadString("fuzz section", "fuzzkey", "") != value) std::abort();
  return 0;
}
