#include "stream/read_damage.h"

#include "base/path_names.h"

namespace capter {
namespace {

std::string Counted(uint32_t count, const std::string& one, const std::string& many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::string DamageSummary(const ReadDamage& damage) {
  if (!damage.Any()) return {};
  std::string text = "passed over:";
  const char* separator = " ";
  const auto add = [&](const std::string& part) {
    text += separator + part;
    separator = ", ";
  };
  if (damage.badHeaders > 0) {
    add(Counted(damage.badHeaders, "bad pack header", "bad pack headers") +
        " (the first at sector " + std::to_string(damage.firstBadSector) + " of " +
        FileNameOf(damage.firstBadFile) + ")");
  }
  if (damage.droppedUnits > 0) add(Counted(damage.droppedUnits, "damaged unit", "damaged units"));
  if (damage.headlessUnits > 0) {
    add(Counted(damage.headlessUnits, "unit without its first packet",
                "units without their first packet"));
  }
  if (!damage.cutFile.empty()) {
    add(FileNameOf(damage.cutFile) + " ends inside a unit starting at " + ToText(damage.cutStart));
  }
  return text;
}

}  // namespace capter
