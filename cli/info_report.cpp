#include "cli/info_report.h"

#include <cstdio>
#include <string>

#include "cli/json_writer.h"

namespace capter::cli {
namespace {

std::string Hex(uint8_t id) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "0x%02X", id);
  return buffer;
}

// A stop time that is not known is shown empty.
std::string StopText(const TimeCode& stop) {
  return IsZero(stop) ? std::string() : ToText(stop);
}

std::string Padded(const std::string& text, size_t width) {
  return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

}  // namespace

void PrintInfoText(const Survey& survey, int listedStream, std::ostream& out) {
  out << "system: " << survey.system << "\n";
  out << "bad pack headers: " << survey.badHeaders << "\n";
  out << "stream  id    language              units  first start   last stop     dropped\n";
  for (const StreamSummary& s : survey.streams) {
    out << Padded(std::to_string(s.number), 8) << Padded(Hex(s.id), 6) << Padded(s.language, 22)
        << Padded(std::to_string(s.units), 7)
        << Padded(s.units ? ToText(s.firstStart) : std::string(), 14)
        << Padded(StopText(s.lastStop), 14) << s.dropped << "\n";
  }
  if (listedStream == 0) return;
  out << "\nunits of stream " << listedStream << " ("
      << Hex(static_cast<uint8_t>(0x1F + listedStream)) << "):\n";
  out << "n      start         stop          x1    y1    x2    y2    bytes  worth\n";
  int n = 0;
  for (const UnitRow& u : survey.units) {
    out << Padded(std::to_string(++n), 7) << Padded(ToText(u.start), 14)
        << Padded(StopText(u.stop), 14) << Padded(std::to_string(u.area.x1), 6)
        << Padded(std::to_string(u.area.y1), 6) << Padded(std::to_string(u.area.x2), 6)
        << Padded(std::to_string(u.area.y2), 6) << Padded(std::to_string(u.bytes), 7)
        << (u.worth ? "yes" : "no") << "\n";
  }
}

void PrintInfoJson(const Survey& survey, int listedStream, std::ostream& out) {
  out << "{\"system\": " << JsonString(survey.system) << ", \"bad_headers\": " << survey.badHeaders
      << ", \"streams\": [";
  const char* separator = "";
  for (const StreamSummary& s : survey.streams) {
    out << separator << "{\"number\": " << s.number << ", \"id\": " << JsonString(Hex(s.id))
        << ", \"language\": " << JsonString(s.language) << ", \"units\": " << s.units
        << ", \"first_start\": " << JsonString(s.units ? ToText(s.firstStart) : std::string())
        << ", \"last_stop\": " << JsonString(StopText(s.lastStop)) << ", \"dropped\": " << s.dropped
        << "}";
    separator = ", ";
  }
  out << "]";
  if (listedStream > 0) {
    out << ", \"units\": [";
    separator = "";
    for (const UnitRow& u : survey.units) {
      out << separator << "{\"start\": " << JsonString(ToText(u.start))
          << ", \"stop\": " << JsonString(StopText(u.stop)) << ", \"x1\": " << u.area.x1
          << ", \"y1\": " << u.area.y1 << ", \"x2\": " << u.area.x2 << ", \"y2\": " << u.area.y2
          << ", \"bytes\": " << u.bytes << ", \"worth\": " << (u.worth ? "true" : "false") << "}";
      separator = ", ";
    }
    out << "]";
  }
  out << "}\n";
}

}  // namespace capter::cli
