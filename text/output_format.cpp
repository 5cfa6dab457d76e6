#include "text/output_format.h"

#include <ctime>
#include <iomanip>
#include <locale>
#include <sstream>
#include <stdexcept>

#include "text/authoring_formats.h"
#include "text/own_format.h"
#include "text/subviewer_format.h"

namespace capter {

void RenderEntry(OutputFormatCode format, uint16_t number, const SubtitleRecord& copy,
                 const TimeCode* previousStop, const OutputFormatOptions& options,
                 TextLines& list) {
  switch (format) {
    case OutputFormatCode::Capter:
    case OutputFormatCode::IAuthor:
      RenderOwnFormat(static_cast<int64_t>(options.capterOffset) + number, copy,
                      options.settings.extended || format == OutputFormatCode::IAuthor, list);
      return;
    case OutputFormatCode::SubViewer:
      RenderSubViewer(number, copy, previousStop, options.subViewer, list);
      return;
    case OutputFormatCode::SubViewer2:
      RenderSubViewer2(copy, list);
      return;
    case OutputFormatCode::Philips:
      RenderPhilips(copy, options.settings, list);
      return;
    case OutputFormatCode::Sonic:
      RenderSonic(number, copy, options.settings, list);
      return;
  }
}

void AppendHeader(OutputFormatCode format, const OutputFormatOptions& options,
                  const std::string& generatedAt, TextLines& list) {
  switch (format) {
    case OutputFormatCode::SubViewer:
      AppendSubViewerHeader(options.subViewer, list);
      return;
    case OutputFormatCode::SubViewer2:
      AppendSubViewer2Header(options.subViewer2, list);
      return;
    case OutputFormatCode::Philips:
      AppendPhilipsHeader(options.settings, options.philipsTitle, generatedAt, list);
      return;
    default:
      return;
  }
}

TextLines Footer(OutputFormatCode format) {
  if (format == OutputFormatCode::SubViewer) return SubViewerFooter();
  if (format == OutputFormatCode::IAuthor) return {""};
  return {};
}

std::string FileExtension(OutputFormatCode format) {
  switch (format) {
    case OutputFormatCode::Capter:
      return ".cpt";
    case OutputFormatCode::IAuthor:
    case OutputFormatCode::Sonic:
      return ".txt";
    default:
      return ".sub";
  }
}

SaveDialogSetup SaveDialogFor(OutputFormatCode format) {
  switch (format) {
    case OutputFormatCode::Capter:
      return {"Capter File (*.cpt)|*.cpt|Text File (*.txt)|*.txt|All|*.*", "cpt"};
    case OutputFormatCode::SubViewer:
      return {"SubViewer File (*.sub)|*.sub|Text File (*.txt)|*.txt|All|*.*", "sub"};
    case OutputFormatCode::SubViewer2:
      return {"SubViewer 2 File (*.sub)|*.sub|Text File (*.txt)|*.txt|All|*.*", "sub"};
    case OutputFormatCode::IAuthor:
      return {"IAuthor OGT File (*.txt)|*.txt|All|*.*", "txt"};
    case OutputFormatCode::Philips:
      return {"Philips SVCD Designer (*.sub)|*.sub|All|*.*", "sub"};
    case OutputFormatCode::Sonic:
      return {"Sonic DVD Creator (*.txt)|*.txt|All|*.*", "txt"};
  }
  return {};
}

std::string LocalDateTimeText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::ostringstream text;
  try {
    text.imbue(std::locale(""));
  } catch (const std::runtime_error&) {
    // An unknown locale name in the environment: keep the classic formats.
  }
  text << std::put_time(&local, "%x %X");
  return text.str();
}

}  // namespace capter
