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
  // Bit i set: palette index i is text as well (the antialias greys of
  // whole glyphs). Recognition clears it before asking; the chooser may
  // fill it with ProposeExtraTextIndices and the user may change it.
  uint8_t ExtraTextIndices = 0;
  // Set by recognition before asking, from its settings: how the chooser
  // should detect, and whether it should propose extra text indices.
  bool LayeredDetection = false;
  bool ProposeExtraIndices = false;

  bool Chosen() const { return TextColourIndex != kNoTextColour; }
  // Forgets the choice (new job, or the user asked for a new text colour).
  void Reset() {
    TextColourIndex = kNoTextColour;
    ExtraTextIndices = 0;
  }
};

// The four palette indices ordered by pixel count, largest first (ties keep
// index order), with the index of the first non-background pixel moved out
// of second place. Element [1] is the proposal.
std::array<uint8_t, 4> DetectTextColour(const Picture24& bitmap,
                                        const std::array<Colour, 4>& greys);

// The order by layers: [0] the background (the most frequent grey on the
// picture's edge), [1] the text body, the others by count. The outer layer
// (outline, shadow or antialias) is the grey that lies against the
// background most; the body is, among the other greys with at least a
// quarter of the largest count and about as little in contact with the
// background as the least of them, the one least in contact with
// background and outer layer. Pixel counts alone mislead when the outline
// outnumbers the fill or the picture is tight around its text.
std::array<uint8_t, 4> DetectTextColourByLayers(const Picture24& bitmap,
                                                const std::array<Colour, 4>& greys);

// The detection `state` asks for (by layers when LayeredDetection is set).
std::array<uint8_t, 4> DetectTextColour(const Picture24& bitmap, const std::array<Colour, 4>& greys,
                                        const TextColourState& state);

// The greys, as a mask of indices, that also belong to the text whose body
// is `text`: those whose pixels mostly touch the body and seldom the
// background (antialias). Outlines and shadows touch the background.
uint8_t ProposeExtraTextIndices(const Picture24& bitmap, const std::array<Colour, 4>& greys,
                                uint8_t text);

// The proposed text index, or nothing for a picture without pixels.
std::optional<uint8_t> ProposeTextColour(const Picture24& bitmap,
                                         const std::array<Colour, 4>& greys);

// Selecting an index in the chooser: TextColour becomes its grey.
void SelectTextColour(TextColourState& state, uint8_t index, const std::array<Colour, 4>& greys);

// Selecting `index` as the text body while asking about `bitmap`: as
// SelectTextColour, and when the state asks for extra text indices they
// are proposed anew for this body (the antialias lies around the body).
void SelectTextBody(TextColourState& state, const Picture24& bitmap,
                    const std::array<Colour, 4>& greys, uint8_t index);

// Ticks or unticks palette index `index` as an extra text grey beside the
// body index `body`, which is never an extra one.
void SetExtraTextIndex(TextColourState& state, uint8_t body, uint8_t index, bool on);
bool IsExtraTextIndex(const TextColourState& state, uint8_t index);

// The preview of a selection: pixels of grey `greys[index]` become white,
// those of the extra text greys (mask `extraIndices`) light grey, every
// other pixel black. `out` is resized to the bitmap's size.
void RecolourTextPreview(const Picture24& bitmap, const std::array<Colour, 4>& greys, uint8_t index,
                         Picture24& out, uint8_t extraIndices = 0);

}  // namespace capter
