#include "export/adjustment_rules.h"

#include "base/message_table.h"

namespace capter {

bool ChoosePaletteIndex(BmpExportSettings& settings, int role, uint8_t index) {
  if (role < 0 || role > 3) return false;
  for (int other = 0; other < 4; ++other) {
    if (other != role && settings.PaletteIndex[other] == index) return false;
  }
  settings.PaletteIndex[role] = index;
  return true;
}

std::optional<OutputFormatCode> PresetOutputFormat(uint8_t preset) {
  if (preset == kPresetIAuthor) return OutputFormatCode::IAuthor;
  if (preset == kPresetPhilips) return OutputFormatCode::Philips;
  return std::nullopt;
}

int OutlineStripWidth(int stripEnd, int clientWidth) {
  constexpr int kShortestStrip = 150;
  return stripEnd < kShortestStrip || stripEnd > clientWidth ? clientWidth : stripEnd;
}

std::string SinglePictureSaveTitle(SinglePictureKind kind, uint32_t unitsInRun) {
  const size_t first = kind == SinglePictureKind::Bmp ? 40 : 41;
  return Messages().GetMessage(first) + std::to_string(unitsInRun) + Messages().GetMessage(42);
}

std::string SinglePictureSavePath(const std::string& chosen, SinglePictureKind kind) {
  return chosen + (kind == SinglePictureKind::Bmp ? ".BMP" : ".SUP");
}

}  // namespace capter
