#include "ocr/ocr_settings_fields.h"

namespace capter {

int64_t OcrFieldValue(const OcrSettings& s, OcrField field) {
  switch (field) {
    case OcrField::MinLineHeight:
      return s.MinLineHeight;
    case OcrField::MinInterLine:
      return s.MinInterLine;
    case OcrField::MaxLineHeight:
      return s.MaxLineHeight;
    case OcrField::MinCharWidth:
      return s.MinCharWidth;
    case OcrField::MinCharHeight:
      return s.MinCharHeight;
    case OcrField::SpaceWidth:
      return s.SpaceWidth;
    case OcrField::ItaSpaceWidth:
      return s.ItaSpaceWidth;
    case OcrField::DetectItaWidth:
      return s.DetectItaWidth;
    case OcrField::Sensibility:
      return s.Sensibility;
    case OcrField::MaxCharDiffWidth:
      return s.MaxCharDiffWidth;
    case OcrField::MaxCharDiffHeight:
      return s.MaxCharDiffHeight;
    case OcrField::MaxCharDiffTop:
      return s.MaxCharDiffTop;
  }
  return 0;
}

void StoreOcrField(OcrSettings& s, OcrField field, int64_t value) {
  const auto byte = static_cast<uint8_t>(value);
  const auto word = static_cast<uint16_t>(value);
  const auto integer = static_cast<int32_t>(value);
  switch (field) {
    case OcrField::MinLineHeight:
      s.MinLineHeight = byte;
      break;
    case OcrField::MinInterLine:
      s.MinInterLine = byte;
      break;
    case OcrField::MaxLineHeight:
      s.MaxLineHeight = byte;
      break;
    case OcrField::MinCharWidth:
      s.MinCharWidth = byte;
      break;
    case OcrField::MinCharHeight:
      s.MinCharHeight = byte;
      break;
    case OcrField::SpaceWidth:
      s.SpaceWidth = integer;
      break;
    case OcrField::ItaSpaceWidth:
      s.ItaSpaceWidth = integer;
      break;
    case OcrField::DetectItaWidth:
      s.DetectItaWidth = integer;
      break;
    case OcrField::Sensibility:
      s.Sensibility = word;
      break;
    case OcrField::MaxCharDiffWidth:
      s.MaxCharDiffWidth = byte;
      break;
    case OcrField::MaxCharDiffHeight:
      s.MaxCharDiffHeight = byte;
      break;
    case OcrField::MaxCharDiffTop:
      s.MaxCharDiffTop = byte;
      break;
  }
}

}  // namespace capter
