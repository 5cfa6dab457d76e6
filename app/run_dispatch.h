// What the extraction run does with each completed unit, by the job's
// action: recognise its text into the subtitle list, save it as a BMP
// picture (after the export rendition) or as a SUP file, optionally with a
// timing entry naming the file, or only show it. The dialogs a unit may open
// (bitmap adjustment, progression controller) and the preview are reached
// through small interfaces, so the same dispatch serves the desktop program,
// the command-line tool and the tests.
#pragma once

#include <string>
#include <vector>

#include "base/message_box.h"
#include "export/bmp_export_settings.h"
#include "ocr/recogniser.h"
#include "ocr/subtitle_sink.h"
#include "stream/extraction_run.h"
#include "stream/sub_picture.h"
#include "stream/sub_picture_decoder.h"
#include "text/subtitle_text_model.h"

namespace capter {

// The main window's preview.
class PicturePreview {
 public:
  virtual ~PicturePreview() = default;
  virtual void ShowPicture(const Picture24& picture, const Rect& area) = 0;
  virtual void ShowPicture(const PalettedPicture& picture, const Rect& area) = 0;
  // Whether a show-only picture should be rendered and shown now. A preview
  // that draws only now and then says no between its draws: the dispatch
  // then keeps the unit without decoding it, tells the preview through
  // PictureKept, and renders it when the preview asks for it
  // (RunDispatch::ShowKeptPicture) as it draws.
  virtual bool PictureWanted() { return true; }
  virtual void PictureKept() {}
};

// The bitmap adjustment step before a BMP or show-only picture is rendered.
class BitmapAdjustment {
 public:
  virtual ~BitmapAdjustment() = default;
  // Whether the dialog asks for this picture (set when a run starts).
  virtual bool Due() const = 0;
  // Shows the dialog on `decoded`; false when the user skipped the picture.
  virtual bool Adjust(const Picture24& decoded, const Rect& area) = 0;
};

// The progression controller that holds a show-only run after each picture.
class ProgressionControl {
 public:
  virtual ~ProgressionControl() = default;
  virtual bool NoStop() const = 0;
  virtual void ClearNoStop() = 0;
  virtual void Hold(const PalettedPicture& rendition, const CollectedUnit& unit) = 0;
};

struct DispatchParts {
  ExtractionRun& run;
  SubtitleTextModel& text;
  Recogniser* recogniser = nullptr;          // recognition runs
  BmpExportSettings* bmpSettings = nullptr;  // BMP and show-only runs
  ColourRoles* roles = nullptr;
  MessageBoxes& boxes;
  TextColourState* colour = nullptr;          // forgotten when a job starts
  PicturePreview* preview = nullptr;          // nothing shown without one
  BitmapAdjustment* adjustment = nullptr;     // never asks without one
  ProgressionControl* progression = nullptr;  // never holds without one
};

class RunDispatch : public UnitDispatcher, public SubtitleSink {
 public:
  explicit RunDispatch(DispatchParts parts);

  // The recogniser reports to this dispatch as its sink, so it may be made
  // after the dispatch and set here.
  void SetRecogniser(Recogniser* recogniser) { parts_.recogniser = recogniser; }

  // The main window's "Show Pict." check box.
  void SetShowPictures(bool on) { showPictures_ = on; }

  void Dispatch(const CollectedUnit& unit) override;
  void JobStarted() override;
  void PauseToggled(bool paused) override;
  // Renders the show-only unit that was kept without a picture, if it is
  // still the latest unit, and shows it in the preview. Does nothing when
  // the latest unit was already shown.
  void ShowKeptPicture();
  // Adds a subtitle (recognised text or a timing entry) to the text model,
  // without lines made only of spaces. Once the table is full the user is
  // told once per job (a warning through the boxes) and nothing more is
  // added.
  void AddSubtitle(const std::vector<std::string>& lines, bool render, const Rect& area,
                   const TimeCode& start, const TimeCode& stop) override;

  // The picture of the unit being handled. A show-only unit that is
  // neither held nor adjusted is decoded only when shown (ShowKeptPicture);
  // until then these keep an earlier unit's picture.
  const DecodedBitmap& Decoded() const { return decoded_; }
  // The times of the unit being recognised (a teacher names them).
  const SubtitleTimes& CurrentTimes() const { return times_; }
  const PalettedPicture& Rendition() const { return rendition_; }
  // The display area of the unit being handled (empty before the first).
  Rect CurrentArea() const { return unit_.Count() > 0 ? unit_.First().area : Rect{}; }
  // Files that could not be written in this run.
  size_t WriteFailures() const { return writeFailures_; }

 private:
  void Decode(const CollectedUnit& unit);
  SubtitleTimes TimesClosingPrevious();
  void Recognise();
  void SaveBmp(const CollectedUnit& unit);
  void SaveSup(const CollectedUnit& unit);
  void ShowOnly(const CollectedUnit& unit);
  Rect Render();
  bool ShowOnlyIsEager() const;
  void AddTimingEntry(const std::string& path, const Rect& area);
  void ReportWriteError(const std::string& error);

  DispatchParts parts_;
  SubPicture unit_;
  // A show-only unit's bytes, kept so that it can be decoded after the
  // reader has moved on.
  std::vector<uint8_t> keptBytes_;
  bool keptUnshown_ = false;
  DecodedBitmap decoded_;
  PalettedPicture rendition_;
  SubtitleTimes times_;
  bool showPictures_ = false;
  size_t writeFailures_ = 0;
  bool fullReported_ = false;
};

// The warning shown when the subtitle table cannot take more entries.
std::string TableFullWarning();

}  // namespace capter
