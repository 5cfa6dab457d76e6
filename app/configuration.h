// The configuration file "Capter.ini" in the program directory: every section
// and key with its default, and the settings records that are its in-memory
// homes. Read once at start-up, written at close; section "OCR SETTING" is
// written only on the user's request. The three bitmap export sections are
// read and written by the bitmap profile routines on the same file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/preview_settings.h"
#include "base/atomic_file.h"
#include "base/ini_file.h"
#include "ocr/ocr_settings.h"
#include "text/output_format_settings.h"

namespace capter {

inline constexpr const char* kConfigurationFileName = "Capter.ini";

// Section "CONFIG": the file dialogs' initial directories (stored without a
// trailing separator), the interface language, the text window's scroll
// check box and the job dialog's action.
struct ShellSettings {
  std::string OpenDialogCharMatrix;
  std::string SaveDialogCharMatrix;
  std::string SaveDialogBmpSup;
  std::string OpenDialogVob;
  std::string OpenDialogCapterText;
  std::string SaveDialogText;
  std::string LanguageFileName;  // without ".lng"; empty: built-in English texts
  bool AutoScrollDown = true;
  int32_t ActionMode = 0;  // 0 text via OCR, 1 BMP, 2 SUP, 3 show only

  friend bool operator==(const ShellSettings&, const ShellSettings&) = default;
};

// Everything "Capter.ini" holds apart from the bitmap export settings.
struct Configuration {
  ShellSettings shell;          // CONFIG
  PreviewSettings preview;      // PREVIEW CFG
  OcrSettings ocr;              // OCR SETTING
  bool timingEntries = true;    // BMP OUT TC & RES, key Enabled
  OutputFormatSettings output;  // CAPTER, IAUTHOR and PHILIPS OUTPUT

  friend bool operator==(const Configuration&, const Configuration&) = default;
};

// The defaults; directories default to the program directory (character
// matrices to its "ChMatrix" folder).
Configuration DefaultConfiguration(const std::string& programDirectory);

// programDirectory + "Capter.ini".
std::string ConfigurationPath(const std::string& programDirectory);

// Reads every section but the bitmap export ones. A missing key takes its
// default; in section OCR SETTING the default is the value already held, a
// recognition limit outside its settings dialog's range is clamped to it and
// one that is not a whole number is ignored. Each such key adds a note
// naming it to `notes` (when given), for the caller to show.
void ReadConfiguration(const IniFile& ini, const std::string& programDirectory,
                       Configuration& configuration, std::vector<std::string>* notes = nullptr);
// Writes every section but OCR SETTING and the bitmap export ones.
void WriteConfiguration(IniFile& ini, const Configuration& configuration);
void WriteOcrSettings(IniFile& ini, const OcrSettings& ocr);

// The file routines open the file, read or write, and close it. A missing
// file reads as all defaults. Writing keeps the file's other sections and
// replaces the file atomically; errors name the file.
FileResult LoadConfiguration(const std::string& path, const std::string& programDirectory,
                             Configuration& configuration,
                             std::vector<std::string>* notes = nullptr);
FileResult SaveConfiguration(const std::string& path, const Configuration& configuration);
FileResult SaveOcrSettings(const std::string& path, const OcrSettings& ocr);

}  // namespace capter
