// The options the subtitle renderers read: the stored output-format settings
// record (kept in the configuration file) and the fields of the output format
// dialog that are only kept while the program runs.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "stream/picture.h"

namespace capter {

// The program version that the generated headers and the default source
// fields name.
inline constexpr const char* kCapterVersion = "0.96b";

// Shared defaults of the IAuthor and Philips colour and level tables:
// background, font, outline, antialiasing.
inline constexpr std::array<Colour, 4> kDefaultPrimaryColours = {0x000000, 0xFFFFFF, 0x000000,
                                                                 0x808080};
inline constexpr std::array<uint8_t, 4> kDefaultLevels = {0, 15, 15, 15};

// Frame rate codes of the Philips and Sonic settings.
inline constexpr uint8_t kFrameRatePal = 0;
inline constexpr uint8_t kFrameRateNtsc = 1;

// The settings record. Configuration keys: section "CAPTER OUTPUT" key
// "Extended"; section "IAUTHOR OUTPUT" keys "Color_0".."Color_3",
// "Blend_0".."Blend_3", "MinimumInterval"; section "PHILIPS OUTPUT" keys
// "FrameRate", "DropFrame", "UseBmpColor", "Color_0".."Color_3",
// "Contrast_0".."Contrast_3". The Sonic fields are not stored.
struct OutputFormatSettings {
  bool extended = false;  // own format written with picture coordinates

  std::array<Colour, 4> iauthorColours = kDefaultPrimaryColours;
  std::array<uint8_t, 4> iauthorBlends = kDefaultLevels;  // 0..15
  uint16_t iauthorMinimumInterval = 10;                   // ms

  uint8_t philipsFrameRate = kFrameRatePal;
  bool philipsDropFrame = true;
  bool philipsUseBmpColor = true;
  std::array<Colour, 4> philipsColours = kDefaultPrimaryColours;
  std::array<uint8_t, 4> philipsContrasts = kDefaultLevels;  // 0..15

  uint8_t sonicFrameRate = kFrameRatePal;
  bool sonicDropFrame = false;

  friend bool operator==(const OutputFormatSettings&, const OutputFormatSettings&) = default;
};

inline std::string DefaultSubViewerSource() {
  return std::string("Subtitles captured by Capter ") + kCapterVersion;
}

// SubViewer header fields and options.
struct SubViewerFields {
  std::string title;
  std::string author;
  std::string source = DefaultSubViewerSource();
  std::string program;
  std::string filePath;
  int32_t delay = 0;          // -65535..65535
  bool twoLineMax = true;     // lines after the 2nd are joined to the 2nd with a space
  bool roundTimeCode = true;  // milliseconds rounded to the nearest second

  friend bool operator==(const SubViewerFields&, const SubViewerFields&) = default;
};

// The font the SubViewer 2 header describes.
struct FontDescription {
  std::string face = "Arial";
  int32_t pointSize = 18;  // 24 pixels high at 96 dots per inch
  Colour colour = 0xFFFFFF;
  bool bold = true;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;

  friend bool operator==(const FontDescription&, const FontDescription&) = default;
};

// SubViewer 2 header fields.
struct SubViewer2Fields {
  std::string title;
  std::string author;
  std::string source = DefaultSubViewerSource();
  std::string program;
  std::string filePath;
  uint16_t delay = 0;   // 0..65535
  uint8_t cdTrack = 0;  // 0..255
  std::string comment;
  FontDescription font;

  friend bool operator==(const SubViewer2Fields&, const SubViewer2Fields&) = default;
};

// Everything the renderers read: the stored record plus the dialog fields
// that last only while the program runs.
struct OutputFormatOptions {
  OutputFormatSettings settings;
  uint16_t capterOffset = 0;  // added to the entry number in the own format
  SubViewerFields subViewer;
  SubViewer2Fields subViewer2;
  std::string philipsTitle;

  friend bool operator==(const OutputFormatOptions&, const OutputFormatOptions&) = default;
};

}  // namespace capter
