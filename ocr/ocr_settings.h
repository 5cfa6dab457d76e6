// The thirteen recognition limits that steer segmentation and matching, and
// the recognition aids, with their built-in defaults. A default-constructed
// OcrSettings holds exactly the built-in values (the recommended aids on,
// whole glyphs off); the configuration file overrides them key by key.
#pragma once

#include <cstdint>

namespace capter {

struct OcrSettings {
  // Rows at the top of a band within which an empty row does not end it.
  uint8_t MinLineHeight = 8;
  // Bands separated by fewer empty rows form one line.
  uint8_t MinInterLine = 2;
  // Taller lines are dropped.
  uint8_t MaxLineHeight = 45;
  // Narrowest accepted character box; also how far the extent scan looks
  // past a character's first column.
  uint8_t MinCharWidth = 2;
  // Lowest accepted character box.
  uint8_t MinCharHeight = 2;
  // Join text pixels that touch a character only diagonally.
  bool CheckDetachedChar = true;
  // Gap (empty columns) from which a space is inserted.
  int32_t SpaceWidth = 7;
  // The same between two italic characters.
  int32_t ItaSpaceWidth = 5;
  // A character whose gap to a neighbour is at most this is italic.
  int32_t DetectItaWidth = -1;
  // Minimum similarity, in thousandths, for a match.
  uint16_t Sensibility = 980;
  // Largest width difference to a matrix entry.
  uint8_t MaxCharDiffWidth = 2;
  // Largest height difference to a matrix entry.
  uint8_t MaxCharDiffHeight = 2;
  // Largest difference of the top relative to the line top.
  uint8_t MaxCharDiffTop = 6;

  // Recognition aids. With all of them off, recognition follows exactly the
  // limits above, so stored settings and matrices read as they always did.
  // Whole glyphs is off by default: on antialiased pictures it also joins
  // neighbouring letters, which then have to be split or taught as pairs.
  // The antialias greys detection proposes (or the user adds) join the
  // chosen grey's pieces into characters, so thin strokes do not break
  // letters apart; glyphs still hold the chosen grey only.
  bool WholeGlyphs = false;
  // Among the entries that pass, the most similar wins (the lower number on
  // a tie) instead of the first one met.
  bool BestMatch = true;
  // The word-gap threshold of each line comes from the line's own gaps
  // instead of SpaceWidth / ItaSpaceWidth.
  bool AutoSpaces = true;
  // An unknown box is tried as two or three known entries side by side
  // before the user is asked.
  bool SplitTouching = true;
  // Marks lower or narrower than the limits above (hyphens, thin stems,
  // small full stops) are kept as characters, and the two ticks of a double
  // quote (or chevrons of a guillemet) make one character.
  bool KeepSmallMarks = true;
  // A box no entry matches at its own size is compared with entries taught
  // at other sizes, each resampled to the box (the factors of a line must
  // agree).
  bool OtherSizes = true;
  // The teacher is offered the closest entry's text as a proposal.
  bool Proposals = true;
  // Text-colour detection ranks the greys by how deep inside the shapes
  // they lie rather than by their pixel counts.
  bool LayeredDetection = true;
  // A plain bar read as a capital I or a small l (the two differ by a pixel
  // of height in sans-serif fonts) becomes the one its neighbours in the
  // line call for, by the rules every language shares.
  bool IAndLByContext = true;
  // A line with unknown boxes is asked once as a whole; the typed text is
  // lined up with the boxes and only the boxes it does not settle are asked
  // one by one.
  bool TeachWholeLines = true;

  friend bool operator==(const OcrSettings&, const OcrSettings&) = default;
};

// Stores the built-in defaults (what "Reload Default Values" does).
inline void LoadOcrDefaults(OcrSettings& settings) {
  settings = OcrSettings{};
}

// Turns every recognition aid on or off at once.
inline void SetRecognitionAids(OcrSettings& settings, bool on) {
  settings.WholeGlyphs = on;
  settings.BestMatch = on;
  settings.AutoSpaces = on;
  settings.SplitTouching = on;
  settings.KeepSmallMarks = on;
  settings.OtherSizes = on;
  settings.Proposals = on;
  settings.LayeredDetection = on;
  settings.IAndLByContext = on;
  settings.TeachWholeLines = on;
}

// Turns the recognition aids that read the test titles better on, and whole
// glyphs (which multiplies the shapes to teach on antialiased pictures)
// off: the built-in defaults of the aids.
inline void SetRecommendedAids(OcrSettings& settings) {
  SetRecognitionAids(settings, true);
  settings.WholeGlyphs = false;
}

}  // namespace capter
