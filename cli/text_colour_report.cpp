#include "cli/text_colour_report.h"

#include "stream/palette_greys.h"

namespace capter::cli {

std::array<size_t, 4> PixelsPerCode(const Picture24& bitmap) {
  std::array<size_t, 4> pixels{};
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      const Colour colour = bitmap.Pixel(x, y);
      for (size_t code = 0; code < pixels.size(); ++code) {
        if (colour == kPaletteGreys[code]) ++pixels[code];
      }
    }
  }
  return pixels;
}

std::string TextColourLine(uint8_t index, const std::array<size_t, 4>& pixels) {
  std::string line = "text colour: " + std::to_string(index) + " (pixels of codes 0 1 2 3:";
  for (const size_t count : pixels) line += " " + std::to_string(count);
  return line + ")";
}

std::optional<uint8_t> ReportingTextColourChooser::ChooseTextColour(const Picture24& bitmap,
                                                                    TextColourState& state) {
  const std::optional<uint8_t> chosen = chooser_.ChooseTextColour(bitmap, state);
  if (chosen && chosen != reported_) {
    if (beforeReport_) beforeReport_();
    err_ << "capter-cli ocr: " << TextColourLine(*chosen, PixelsPerCode(bitmap)) << "\n";
    reported_ = chosen;
  }
  return chosen;
}

}  // namespace capter::cli
