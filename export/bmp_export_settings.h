// The settings of the export rendition (cropping, colours, positioning) with
// the defaults of a missing profile key, the palette-index presets, and the
// colour roles: which sub-picture pixel code plays Background, Font, Outline
// and Antialiasing.
#pragma once

#include <array>
#include <cstdint>

#include "stream/palette_greys.h"
#include "stream/picture.h"

namespace capter {

enum ColourRole : int {
  kBackgroundRole = 0,
  kFontRole = 1,
  kOutlineRole = 2,
  kAntialiasingRole = 3
};

enum PalettePreset : uint8_t { kPresetFree = 0, kPresetIAuthor = 1, kPresetPhilips = 2 };

struct BmpExportSettings {
  // Cropping.
  bool CropEnabled = true;
  uint16_t MinX = 16;
  uint16_t MinY = 50;
  uint16_t DivX = 8;  // 1..32; 0 from a hand-edited profile acts as 1
  uint16_t DivY = 2;
  uint8_t CropXMode = 1;  // 0 left, 1 centre, 2 right
  uint8_t CropYMode = 1;  // 0 top, 1 centre, 2 bottom
  int32_t CropShiftX = 0;
  int32_t CropShiftY = 0;
  // Colours.
  uint8_t BitsPerPixel = 4;                                               // 4 or 8
  std::array<Colour, 4> Colours{0x000000, 0xFFFFFF, 0xFF0000, 0x808080};  // per role
  uint8_t Preset = kPresetIAuthor;
  std::array<uint8_t, 4> PaletteIndex{0, 1, 2, 3};  // per role, 0..15, distinct
  Colour UnusedColour = 0x000000;
  // Positioning.
  bool PosEnabled = false;
  uint8_t PosXMode = 0;  // 0 keep, 1 centre, 2 right, 3 set to PosX
  int32_t PosX = 0;
  int32_t PosShiftX = 0;
  uint8_t PosYMode = 0;  // 0 keep, 1 centre, 2 bottom, 3 set to PosY
  int32_t PosY = 0;
  int32_t PosShiftY = 0;

  friend bool operator==(const BmpExportSettings&, const BmpExportSettings&) = default;
};

// Whether the palette-index choices can be edited under a preset ("Free").
inline bool PaletteIndexEditable(uint8_t preset) {
  return preset == kPresetFree;
}

// Sets Preset and what it implies: "I-Author" gives indices 0..3 at 4 bits,
// "Philips" indices 0..3 at 8 bits, "Free" leaves both alone.
void ApplyPreset(BmpExportSettings& settings, uint8_t preset);

// Byte r is the pixel code (0..3) playing role r; always a permutation.
using RoleOrder = std::array<uint8_t, 4>;
// Colour r is the grey in which role r's pixels appear in a decoded picture.
using RoleColours = std::array<Colour, 4>;

class ColourRoles {
 public:
  const RoleOrder& Order() const { return order_; }
  const RoleColours& Colours() const { return colours_; }

  // Takes a whole order; one that is not a permutation of 0..3 is refused
  // (returns false, nothing changes).
  bool SetOrder(const RoleOrder& order);
  // Role `role` takes pixel code `code`; the role that held it takes the code
  // now missing, so the order stays a permutation.
  void SetRoleCode(int role, uint8_t code);
  // The order of the text colour detection on `decoded`: the most frequent
  // code becomes Background, the proposed text code Font.
  void AutoOrder(const Picture24& decoded);

 private:
  RoleOrder order_{0, 1, 2, 3};
  RoleColours colours_ = kPaletteGreys;
};

}  // namespace capter
