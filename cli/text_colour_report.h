// The text colour as the ocr command shows it: which palette code was taken
// as the text body and how many pixels of each code the sub-picture it was
// chosen on has, so that a wrong guess is seen at once.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "ocr/text_colour_chooser.h"

namespace capter::cli {

// Pixels of each palette code 0..3 in a decoded sub-picture.
std::array<size_t, 4> PixelsPerCode(const Picture24& bitmap);

// "text colour: 2 (pixels of codes 0 1 2 3: 51200 830 2410 96)".
std::string TextColourLine(uint8_t index, const std::array<size_t, 4>& pixels);

// Passes the question on to another chooser and writes the answer on `err`
// the first time and whenever it differs from the last one written.
class ReportingTextColourChooser : public TextColourChooser {
 public:
  ReportingTextColourChooser(TextColourChooser& chooser, std::ostream& err)
      : chooser_(chooser), err_(err) {}

  // Called before a line is written (to clear the progress line).
  void SetBeforeReport(std::function<void()> beforeReport) {
    beforeReport_ = std::move(beforeReport);
  }

  std::optional<uint8_t> ChooseTextColour(const Picture24& bitmap, TextColourState& state) override;

 private:
  TextColourChooser& chooser_;
  std::ostream& err_;
  std::function<void()> beforeReport_;
  std::optional<uint8_t> reported_;
};

}  // namespace capter::cli
