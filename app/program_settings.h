// The settings the main window holds for the whole session, and the order in
// which they move between memory and "Capter.ini" at start-up and close.
#pragma once

#include <string>
#include <vector>

#include "app/configuration.h"
#include "base/atomic_file.h"
#include "export/bmp_export_settings.h"

namespace capter {

struct ProgramSettings {
  Configuration configuration;
  BmpExportSettings bmp;
};

// Start-up: the built-in OCR values, then the configuration, then the bitmap
// settings, all from programDirectory + "Capter.ini". A file that cannot be
// read leaves the defaults in place and is reported. Keys that were out of
// range or not whole numbers add a note each to `notes` (when given).
FileResult LoadProgramSettings(const std::string& programDirectory, ProgramSettings& settings,
                               std::vector<std::string>* notes = nullptr);

// Close: the configuration (without OCR SETTING), then the bitmap settings.
// The second write is attempted even when the first fails; the first
// failure is returned.
FileResult SaveProgramSettings(const std::string& programDirectory,
                               const ProgramSettings& settings);

}  // namespace capter
