// Parses and decodes arbitrary bytes as a sub-picture unit, then crops small
// pictures both ways.
#include <cstdint>
#include <span>

#include "stream/crop.h"
#include "stream/sub_picture.h"
#include "stream/sub_picture_decoder.h"

using namespace capter;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static SubPicture subPicture;
  static DecodedBitmap picture;
  subPicture.Parse(std::span<const uint8_t>(data, size));
  ComputeSubtitleTimes(subPicture);
  WorthRecognising(subPicture);
  DecodeSubPicture(subPicture, picture);
  // Cropping works alike at every size; large pictures only cost time.
  if (picture.Width() * picture.Height() <= 64 * 64) {
    Rect area;
    CropToContent(picture, CropMode::Text, kPaletteGreys[3], area);
    CropToContent(picture, CropMode::NonBackground, 0, area);
  }
  return 0;
}
