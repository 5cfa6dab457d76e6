// Bitmap profile files: the export settings in three INI sections ("BMP OUT
// CROPPING", "BMP OUT COLOR", "BMP OUT POSITIONING"). The configuration file
// carries the same three sections. Writing into an existing file replaces
// these keys and keeps the file's other sections; a missing key reads as the
// setting's default. The colour roles are not part of a profile.
#pragma once

#include <string>

#include "base/atomic_file.h"
#include "base/ini_file.h"
#include "export/bmp_export_settings.h"

namespace capter {

void ReadBmpProfile(const IniFile& ini, BmpExportSettings& settings);
void WriteBmpProfile(IniFile& ini, const BmpExportSettings& settings);

// A missing file reads as all defaults; an unreadable one is an error and
// leaves `settings` alone.
FileResult LoadBmpProfile(const std::string& path, BmpExportSettings& settings);
// Errors name the file; the old file stays intact on failure.
FileResult SaveBmpProfile(const std::string& path, const BmpExportSettings& settings);

}  // namespace capter
