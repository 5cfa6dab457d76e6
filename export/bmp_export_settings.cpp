#include "export/bmp_export_settings.h"

#include <algorithm>

#include "ocr/text_colour.h"

namespace capter {

void ApplyPreset(BmpExportSettings& settings, uint8_t preset) {
  settings.Preset = preset;
  if (preset != kPresetIAuthor && preset != kPresetPhilips) return;
  settings.PaletteIndex = {0, 1, 2, 3};
  settings.BitsPerPixel = preset == kPresetIAuthor ? 4 : 8;
}

bool ColourRoles::SetOrder(const RoleOrder& order) {
  RoleOrder sorted = order;
  std::sort(sorted.begin(), sorted.end());
  if (sorted != RoleOrder{0, 1, 2, 3}) return false;
  order_ = order;
  for (size_t r = 0; r < order_.size(); ++r) colours_[r] = kPaletteGreys[order_[r]];
  return true;
}

void ColourRoles::SetRoleCode(int role, uint8_t code) {
  if (role < 0 || role > 3 || code > 3) return;
  RoleOrder order = order_;
  const auto holder = std::find(order.begin(), order.end(), code);
  if (holder - order.begin() == role) return;
  // The role that had `code` takes the code that `role` gives up.
  *holder = order[role];
  order[role] = code;
  SetOrder(order);
}

void ColourRoles::AutoOrder(const Picture24& decoded) {
  SetOrder(DetectTextColour(decoded, kPaletteGreys));
}

}  // namespace capter
