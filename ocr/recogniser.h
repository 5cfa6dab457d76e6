// Recognition of one decoded sub-picture: make sure a text colour is chosen,
// crop to the text, segment, match every character against the current
// matrix (teaching the unknown ones through the teacher), assemble the lines
// with their spaces and hand the subtitle to the sink.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/message_box.h"
#include "ocr/bar_letters.h"
#include "ocr/character_matrix.h"
#include "ocr/character_teacher.h"
#include "ocr/line_table.h"
#include "ocr/ocr_settings.h"
#include "ocr/scaled_match.h"
#include "ocr/segmentation.h"
#include "ocr/slant_match.h"
#include "ocr/subtitle_sink.h"
#include "ocr/text_colour.h"
#include "ocr/text_colour_chooser.h"
#include "ocr/text_greys.h"
#include "ocr/touching_split.h"
#include "stream/palette_greys.h"
#include "stream/picture.h"
#include "stream/time_code.h"

namespace capter {

enum class RecognitionOutcome {
  Added,          // a subtitle went to the sink
  NoText,         // every line was empty or skipped; nothing handed on
  ColourSkipped,  // no text colour was chosen for this picture
  SubPictureSkipped,
  Paused,  // the run must pause and read this sub-picture again
};

// The things recognition reads and changes, owned by the caller (the main
// window's state in the desktop program).
struct RecognitionContext {
  CharacterMatrix& matrix;
  const OcrSettings& settings;
  TextColourState& colour;
  TextColourChooser& chooser;
  CharacterTeacher& teacher;
  SubtitleSink& sink;
  MessageBoxes& boxes;  // the matrix's limit and memory warnings
  PaletteGreys greys = kPaletteGreys;
};

class Recogniser {
 public:
  explicit Recogniser(RecognitionContext context) : context_(context) {}

  // Works on `bitmap` in place: it is cropped to its text and marked.
  // `area`, `start` and `stop` are handed on unchanged.
  RecognitionOutcome RecogniseSubPicture(Picture24& bitmap, const Rect& area, const TimeCode& start,
                                         const TimeCode& stop);

  // Called with the cropped picture before segmentation (the preview's
  // "Show Pict." option).
  void SetPreview(std::function<void(const Picture24&)> preview) { preview_ = std::move(preview); }

  // The lines of the last recognised sub-picture, and its segmentation.
  const std::vector<std::string>& Lines() const { return lines_; }
  const LineTable& Table() const { return table_; }

 private:
  // Appends the text of `line` to `text`; false when the sub-picture is
  // abandoned (`outcome` says how). With whole lines, the line's first
  // unknown box has the whole line asked unless `lineAsked`.
  bool ReadLine(Picture24& bitmap, int lineIndex, std::string& text, RecognitionOutcome& outcome,
                bool lineAsked = false);
  // What box `index` of `line` reads as without asking: an entry (at its
  // own size, another size or the other slant), else a split into
  // touching letters; `leaningBar` when the entry was read as a bar set
  // upright (the I and l rules then see slants_.UprightBar()).
  struct BoxReading {
    size_t entry = 0;
    SplitReading split;
    bool leaningBar = false;
  };
  BoxReading ReadBox(const Picture24& bitmap, const TextLine& line, size_t index,
                     const Glyph& glyph);
  // With SplitTouching (whole glyphs off): box `index` of line `lineIndex`
  // reads as nothing (a stray piece); when it lies against a neighbour of
  // its line through antialias only, the picture is cut again with that
  // antialias joining the two, and true is returned (the line is to be read
  // again). `namedBefore`: the person's answer for the box before when they
  // have just named both; a join with that box is then taught with it.
  bool JoinStrayPiece(Picture24& bitmap, int lineIndex, size_t index,
                      const std::string* namedBefore);
  // Adds the box of line `lineIndex` that now holds both `a` and `b` to the
  // matrix as `text`, unless the matrix already reads it.
  void TeachJoined(const Picture24& bitmap, int lineIndex, const CharBox& a, const CharBox& b,
                   const std::string& text);
  // Asks for the whole of line `lineIndex` and teaches what its answer
  // settles (TeachWholeLine).
  TeachAnswer AskWholeLine(const Picture24& bitmap, int lineIndex);
  // The greys segmentation counts as text: the chosen one, and with whole
  // glyphs the chosen extra indices.
  TextGreys CurrentTextGreys() const;
  // Crops the picture to its text; `textArea_` gets the rectangle.
  void CropToText(Picture24& bitmap);
  // The text proposed to the teacher for the unknown box `index` of `line`.
  std::string Proposal(const Picture24& bitmap, const TextLine& line, size_t index,
                       const Glyph& glyph) const;
  // The box on the screen.
  Rect ScreenBox(const CharBox& box) const;

  RecognitionContext context_;
  Rect area_;      // display area of the current sub-picture
  Rect textArea_;  // where the cropped picture lay in the decoded one
  TimeCode start_;
  Segmenter segmenter_;
  OtherSizeReader otherSizes_;
  SlantReader slants_;  // unknown boxes read in the other slant
  LineTable table_;
  BarLetters bars_;  // the current line's bars read as I or l
  std::vector<std::string> lines_;
  // Joining stray pieces: the cropped picture before marking, its
  // antialias greys (found when first needed), the pixels that join pieces.
  Picture24 unmarked_;
  TextGreys antialias_;
  bool antialiasKnown_ = false;
  size_t strayJoins_ = 0;
  std::vector<JoinPixel> joins_;
  std::vector<JoinPixel> link_;
  std::function<void(const Picture24&)> preview_;
};

}  // namespace capter
