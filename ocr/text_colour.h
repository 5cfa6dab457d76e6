// Which of the four palette indices of a decoded sub-picture is the text body:
// the pixel-count detection, the chosen index and its grey, and the
// recoloured preview (text white on black) shown while choosing.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "stream/picture.h"

namespace capter {

inline constexpr uint8_t kNoTextColour = 255;

// The run's text-colour choice. TextColourIndex is 0..3 when chosen and
// kNoTextColour when not; TextColour is the grey of the index last selected.
// Detection holds the last detection's order (also the bitmap adjustment's
// colour order).
struct TextColourState {
  uint8_t TextColourIndex = kNoTextColour;
  Colour TextColour = MakeColour(255, 255, 255);
  std::array<uint8_t, 4> Detection{0, 1, 2, 3};

  bool Chosen() const { return TextColourIndex != kNoTextColour; }
  // Forgets the choice (new job, or the user asked for a new text colour).
  void Reset() { TextColourIndex = kNoTextColour; }
};

// The four palette indices ordered by pixel count, largest first (ties keep
// index order), with the index of the first non-background pixel moved out
// of second place. Element [1] is the proposal.
std::array<uint8_t, 4> DetectTextColour(const Picture24& bitmap,
                                        const std::array<Colour, 4>& greys);

// The proposed text index, or nothing for a picture without pixels.
std::optional<uint8_t> ProposeTextColour(const Picture24& bitmap,
                                         const std::array<Colour, 4>& greys);

// Selecting an index in the chooser: TextColour becomes its grey.
void SelectTextColour(TextColourState& state, uint8_t index, const std::array<Colour, 4>& greys);

// The preview of a selection: pixels of grey `greys[index]` become white,
// every other pixel black. `out` is resized to the bitmap's size.
void RecolourTextPreview(const Picture24& bitmap, const std::array<Colour, 4>& greys, uint8_t index,
                         Picture24& out);

}  // namespace capter
