// The question recognition asks when no text colour is chosen: which of the
// four palette indices is the text body. The desktop program shows its
// "Font color selection" dialog; tests and the command-line tool use a
// policy such as DetectedTextColourChooser.
#pragma once

#include <cstdint>
#include <optional>

#include "ocr/text_colour.h"
#include "stream/palette_greys.h"
#include "stream/picture.h"

namespace capter {

class TextColourChooser {
 public:
  virtual ~TextColourChooser() = default;
  // The chosen index 0..3, or nothing to skip this picture. The chooser may
  // update the state's preview colour and detection order while it asks.
  virtual std::optional<uint8_t> ChooseTextColour(const Picture24& bitmap,
                                                  TextColourState& state) = 0;
};

// Takes the detection's proposal without asking; a picture without pixels
// is skipped.
class DetectedTextColourChooser : public TextColourChooser {
 public:
  explicit DetectedTextColourChooser(const PaletteGreys& greys = kPaletteGreys) : greys_(greys) {}
  std::optional<uint8_t> ChooseTextColour(const Picture24& bitmap,
                                          TextColourState& state) override {
    if (bitmap.Empty()) return std::nullopt;
    state.Detection = DetectTextColour(bitmap, greys_, state);
    const uint8_t text = state.Detection[1];
    if (state.ProposeExtraIndices) {
      state.ExtraTextIndices = ProposeExtraTextIndices(bitmap, greys_, text);
    }
    return text;
  }

 private:
  PaletteGreys greys_;
};

}  // namespace capter
