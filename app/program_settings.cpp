#include "app/program_settings.h"

#include "export/bmp_profile.h"

namespace capter {

FileResult LoadProgramSettings(const std::string& programDirectory, ProgramSettings& settings,
                               std::vector<std::string>* notes) {
  const std::string path = ConfigurationPath(programDirectory);
  LoadOcrDefaults(settings.configuration.ocr);
  const FileResult configuration =
      LoadConfiguration(path, programDirectory, settings.configuration, notes);
  const FileResult bmp = LoadBmpProfile(path, settings.bmp);
  return configuration.ok ? bmp : configuration;
}

FileResult SaveProgramSettings(const std::string& programDirectory,
                               const ProgramSettings& settings) {
  const std::string path = ConfigurationPath(programDirectory);
  const FileResult configuration = SaveConfiguration(path, settings.configuration);
  const FileResult bmp = SaveBmpProfile(path, settings.bmp);
  return configuration.ok ? bmp : configuration;
}

}  // namespace capter
