#include "export/bmp_profile.h"

#include "base/ini_fields.h"

namespace capter {
namespace {

// The profile's keys in file order; `Io` reads or writes them.
template <class Io, class Settings>
void TransferProfile(Io& io, Settings& s, const BmpExportSettings& d) {
  io.Section("BMP OUT CROPPING");
  io.Field("Enabled", s.CropEnabled, d.CropEnabled);
  io.Field("MinX", s.MinX, d.MinX);
  io.Field("MinY", s.MinY, d.MinY);
  io.Field("DivX", s.DivX, d.DivX);
  io.Field("DivY", s.DivY, d.DivY);
  io.Field("XPosMode", s.CropXMode, d.CropXMode);
  io.Field("YPosMode", s.CropYMode, d.CropYMode);
  io.Field("PosShift.X", s.CropShiftX, d.CropShiftX);
  io.Field("PosShift.Y", s.CropShiftY, d.CropShiftY);

  io.Section("BMP OUT COLOR");
  if constexpr (Io::kReading) {
    // 8 gives 8 bits; every other value, before any truncation, 4 bits.
    s.BitsPerPixel = io.Integer("BitPerPixel", d.BitsPerPixel) == 8 ? 8 : 4;
  } else {
    io.Field("BitPerPixel", s.BitsPerPixel, d.BitsPerPixel);
  }
  NumberedFields(io, "Color_", s.Colours, d.Colours);
  io.Field("PresetColorPalIndex", s.Preset, d.Preset);
  NumberedFields(io, "ColorPalIndex_", s.PaletteIndex, d.PaletteIndex);
  io.Field("UnusedColor", s.UnusedColour, d.UnusedColour);

  io.Section("BMP OUT POSITIONING");
  io.Field("Enabled", s.PosEnabled, d.PosEnabled);
  io.Field("XPosMode", s.PosXMode, d.PosXMode);
  io.Field("SetTo.X", s.PosX, d.PosX);
  io.Field("PosShift.X", s.PosShiftX, d.PosShiftX);
  io.Field("YPosMode", s.PosYMode, d.PosYMode);
  io.Field("SetTo.Y", s.PosY, d.PosY);
  io.Field("PosShift.Y", s.PosShiftY, d.PosShiftY);
}

}  // namespace

void ReadBmpProfile(const IniFile& ini, BmpExportSettings& settings) {
  IniFieldReader reader(ini);
  TransferProfile(reader, settings, BmpExportSettings{});
}

void WriteBmpProfile(IniFile& ini, const BmpExportSettings& settings) {
  IniFieldWriter writer(ini);
  TransferProfile(writer, settings, BmpExportSettings{});
}

FileResult LoadBmpProfile(const std::string& path, BmpExportSettings& settings) {
  IniFile ini;
  FileResult result = IniFile::Load(path, ini);
  if (result.ok) ReadBmpProfile(ini, settings);
  return result;
}

FileResult SaveBmpProfile(const std::string& path, const BmpExportSettings& settings) {
  return IniFile::Edit(path, [&](IniFile& ini) { WriteBmpProfile(ini, settings); });
}

}  // namespace capter
