#include "app/configuration.h"

#include <algorithm>
#include <optional>

#include "base/ini_fields.h"

namespace capter {
namespace {

template <class Io, class S>
void TransferShell(Io& io, S& s, const ShellSettings& d) {
  io.Section("CONFIG");
  io.Directory("OpenDialogCharMatrix", s.OpenDialogCharMatrix, d.OpenDialogCharMatrix);
  io.Directory("SaveDialogCharMatrix", s.SaveDialogCharMatrix, d.SaveDialogCharMatrix);
  io.Directory("SaveDialogBmpSup", s.SaveDialogBmpSup, d.SaveDialogBmpSup);
  io.Directory("OpenDialogVob", s.OpenDialogVob, d.OpenDialogVob);
  io.Directory("OpenDialogCapterText", s.OpenDialogCapterText, d.OpenDialogCapterText);
  io.Directory("SaveDialogText", s.SaveDialogText, d.SaveDialogText);
  io.Field("LanguageFileName", s.LanguageFileName, d.LanguageFileName);
  io.Field("AutoScrollDown", s.AutoScrollDown, d.AutoScrollDown);
  io.Field("ActionMode", s.ActionMode, d.ActionMode);
}

template <class Io, class S>
void TransferPreview(Io& io, S& s, const PreviewSettings& d) {
  io.Section("PREVIEW CFG");
  io.Field("AtTruePos", s.AtTruePos, d.AtTruePos);
  io.Field("TransparentBkGrd", s.TransparentBkGrd, d.TransparentBkGrd);
  io.Field("Zoom", s.Zoom, d.Zoom);
  io.Field("AutoZoom", s.AutoZoom, d.AutoZoom);
  io.Field("BorderColor", s.BorderColor, d.BorderColor);
  io.Field("InnerColor", s.InnerColor, d.InnerColor);
  io.Field("BackMode", s.BackMode, d.BackMode);
  io.Field("AspectRatioMode", s.AspectRatioMode, d.AspectRatioMode);
  io.Field("FreeAspectRatio", s.FreeAspectRatio, d.FreeAspectRatio);
  io.Field("BackImageName", s.BackImageName, d.BackImageName);
}

template <class Io, class S>
void TransferOcr(Io& io, S& s, const OcrSettings& d) {
  io.Section("OCR SETTING");
  io.Field("MinLineHeight", s.MinLineHeight, d.MinLineHeight);
  io.Field("MaxLineHeight", s.MaxLineHeight, d.MaxLineHeight);
  io.Field("MinInterLine", s.MinInterLine, d.MinInterLine);
  io.Field("MinCharWidth", s.MinCharWidth, d.MinCharWidth);
  io.Field("MinCharHeight", s.MinCharHeight, d.MinCharHeight);
  io.Field("SpaceWidth", s.SpaceWidth, d.SpaceWidth);
  io.Field("ItaSpaceWidth", s.ItaSpaceWidth, d.ItaSpaceWidth);
  io.Field("DetectItaWidth", s.DetectItaWidth, d.DetectItaWidth);
  io.Field("CheckDetachedChar", s.CheckDetachedChar, d.CheckDetachedChar);
  io.Field("Sensibility", s.Sensibility, d.Sensibility);
  io.Field("MaxCharDiffWidth", s.MaxCharDiffWidth, d.MaxCharDiffWidth);
  io.Field("MaxCharDiffHeight", s.MaxCharDiffHeight, d.MaxCharDiffHeight);
  io.Field("MaxCharDiffTop", s.MaxCharDiffTop, d.MaxCharDiffTop);
  io.Field("WholeGlyphs", s.WholeGlyphs, d.WholeGlyphs);
  io.Field("BestMatch", s.BestMatch, d.BestMatch);
  io.Field("AutoSpaces", s.AutoSpaces, d.AutoSpaces);
  io.Field("SplitTouching", s.SplitTouching, d.SplitTouching);
  io.Field("KeepSmallMarks", s.KeepSmallMarks, d.KeepSmallMarks);
  io.Field("OtherSizes", s.OtherSizes, d.OtherSizes);
  io.Field("Proposals", s.Proposals, d.Proposals);
  io.Field("LayeredDetection", s.LayeredDetection, d.LayeredDetection);
  io.Field("IAndLByContext", s.IAndLByContext, d.IAndLByContext);
  io.Field("TeachWholeLines", s.TeachWholeLines, d.TeachWholeLines);
}

template <class Io, class S>
void TransferOutput(Io& io, S& s, const OutputFormatSettings& d) {
  io.Section("CAPTER OUTPUT");
  io.Field("Extended", s.extended, d.extended);
  io.Section("IAUTHOR OUTPUT");
  NumberedFields(io, "Color_", s.iauthorColours, d.iauthorColours);
  NumberedFields(io, "Blend_", s.iauthorBlends, d.iauthorBlends);
  io.Field("MinimumInterval", s.iauthorMinimumInterval, d.iauthorMinimumInterval);
  io.Section("PHILIPS OUTPUT");
  io.Field("FrameRate", s.philipsFrameRate, d.philipsFrameRate);
  io.Field("DropFrame", s.philipsDropFrame, d.philipsDropFrame);
  io.Field("UseBmpColor", s.philipsUseBmpColor, d.philipsUseBmpColor);
  NumberedFields(io, "Color_", s.philipsColours, d.philipsColours);
  NumberedFields(io, "Contrast_", s.philipsContrasts, d.philipsContrasts);
}

// Choices that index a fixed list take their default when the file holds a
// value outside the list, so no window is ever asked to show a missing item.
template <class T>
void KeepInRange(T& value, int largest, T fallback) {
  if (static_cast<int64_t>(value) < 0 || static_cast<int64_t>(value) > largest) value = fallback;
}

// A recognition limit must lie in the range its settings dialog offers.
// The file's own rules come first (a value that is not a whole number gives
// the key's default, here the value held; others are cut to the field's
// width); what is then still outside the range is clamped to it. Each key
// that was not taken as written is noted by name.
template <class T>
void KeepOcrLimit(const IniFile& ini, const char* key, T& field, int32_t low, int32_t high,
                  std::vector<std::string>& notes) {
  const std::optional<std::string> raw = ini.Find("OCR SETTING", key);
  if (!raw) return;
  const std::string given = std::string("[OCR SETTING] ") + key + "=" + *raw;
  const std::optional<int32_t> value = ParseIniInteger(*raw);
  if (!value) {
    notes.push_back(given + " is not a whole number; ignored, " + std::to_string(field) +
                    " is used");
    return;
  }
  if (*value >= low && *value <= high) return;
  field = static_cast<T>(std::clamp(static_cast<int32_t>(field), low, high));
  notes.push_back(given + " is outside " + std::to_string(low) + ".." + std::to_string(high) +
                  "; " + std::to_string(field) + " is used");
}

void KeepOcrLimits(const IniFile& ini, OcrSettings& s, std::vector<std::string>& notes) {
  KeepOcrLimit(ini, "MinLineHeight", s.MinLineHeight, 0, 45, notes);
  KeepOcrLimit(ini, "MinInterLine", s.MinInterLine, 1, 50, notes);
  KeepOcrLimit(ini, "MaxLineHeight", s.MaxLineHeight, 0, 45, notes);
  KeepOcrLimit(ini, "MinCharWidth", s.MinCharWidth, 1, 45, notes);
  KeepOcrLimit(ini, "MinCharHeight", s.MinCharHeight, 1, 45, notes);
  KeepOcrLimit(ini, "SpaceWidth", s.SpaceWidth, -10, 45, notes);
  KeepOcrLimit(ini, "ItaSpaceWidth", s.ItaSpaceWidth, -10, 45, notes);
  KeepOcrLimit(ini, "DetectItaWidth", s.DetectItaWidth, -10, 10, notes);
  KeepOcrLimit(ini, "Sensibility", s.Sensibility, 0, 1000, notes);
  KeepOcrLimit(ini, "MaxCharDiffWidth", s.MaxCharDiffWidth, 0, 45, notes);
  KeepOcrLimit(ini, "MaxCharDiffHeight", s.MaxCharDiffHeight, 0, 45, notes);
  KeepOcrLimit(ini, "MaxCharDiffTop", s.MaxCharDiffTop, 0, 45, notes);
}

}  // namespace

Configuration DefaultConfiguration(const std::string& programDirectory) {
  // Directories are held as the file dialogs keep them: without a trailing
  // separator.
  Configuration c;
  const std::string program = NormaliseDirectory(programDirectory);
  const std::string matrices = NormaliseDirectory(programDirectory + "ChMatrix/");
  c.shell.OpenDialogCharMatrix = matrices;
  c.shell.SaveDialogCharMatrix = matrices;
  c.shell.SaveDialogBmpSup = program;
  c.shell.OpenDialogVob = program;
  c.shell.OpenDialogCapterText = program;
  c.shell.SaveDialogText = program;
  return c;
}

std::string ConfigurationPath(const std::string& programDirectory) {
  return programDirectory + kConfigurationFileName;
}

void ReadConfiguration(const IniFile& ini, const std::string& programDirectory,
                       Configuration& configuration, std::vector<std::string>* notes) {
  const Configuration defaults = DefaultConfiguration(programDirectory);
  const OcrSettings heldOcr = configuration.ocr;
  IniFieldReader reader(ini);
  TransferShell(reader, configuration.shell, defaults.shell);
  TransferPreview(reader, configuration.preview, defaults.preview);
  TransferOcr(reader, configuration.ocr, heldOcr);
  std::vector<std::string> ocrNotes;
  KeepOcrLimits(ini, configuration.ocr, ocrNotes);
  if (notes != nullptr) notes->insert(notes->end(), ocrNotes.begin(), ocrNotes.end());
  reader.Section("BMP OUT TC & RES");
  reader.Field("Enabled", configuration.timingEntries, defaults.timingEntries);
  TransferOutput(reader, configuration.output, defaults.output);

  KeepInRange(configuration.shell.ActionMode, 3, defaults.shell.ActionMode);
  KeepInRange(configuration.preview.BackMode, 3, defaults.preview.BackMode);
  KeepInRange(configuration.preview.AspectRatioMode, 2, defaults.preview.AspectRatioMode);
}

void WriteConfiguration(IniFile& ini, const Configuration& configuration) {
  const Configuration& d = configuration;  // writing ignores defaults
  IniFieldWriter writer(ini);
  TransferShell(writer, configuration.shell, d.shell);
  TransferPreview(writer, configuration.preview, d.preview);
  writer.Section("BMP OUT TC & RES");
  writer.Field("Enabled", configuration.timingEntries, d.timingEntries);
  TransferOutput(writer, configuration.output, d.output);
}

void WriteOcrSettings(IniFile& ini, const OcrSettings& ocr) {
  IniFieldWriter writer(ini);
  TransferOcr(writer, ocr, ocr);
}

FileResult LoadConfiguration(const std::string& path, const std::string& programDirectory,
                             Configuration& configuration, std::vector<std::string>* notes) {
  IniFile ini;
  FileResult result = IniFile::Load(path, ini);
  // An unreadable file still leaves every value at its default.
  ReadConfiguration(result.ok ? ini : IniFile(), programDirectory, configuration, notes);
  return result;
}

FileResult SaveConfiguration(const std::string& path, const Configuration& configuration) {
  return IniFile::Edit(path, [&](IniFile& ini) { WriteConfiguration(ini, configuration); });
}

FileResult SaveOcrSettings(const std::string& path, const OcrSettings& ocr) {
  return IniFile::Edit(path, [&](IniFile& ini) { WriteOcrSettings(ini, ocr); });
}

}  // namespace capter
