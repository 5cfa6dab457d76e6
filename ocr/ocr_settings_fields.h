// The recognition settings as the "OCR Advanced Setup" dialog edits them:
// twelve whole-number fields, each with its range and its setting, plus the
// detached-character check box and one check box per recognition aid.
// Storing a field narrows its value to the setting's width.
#pragma once

#include <array>
#include <cstdint>

#include "ocr/ocr_settings.h"

namespace capter {

enum class OcrField {
  MinLineHeight,
  MinInterLine,
  MaxLineHeight,
  MinCharWidth,
  MinCharHeight,
  SpaceWidth,
  ItaSpaceWidth,
  DetectItaWidth,
  Sensibility,
  MaxCharDiffWidth,
  MaxCharDiffHeight,
  MaxCharDiffTop,
};

struct OcrFieldInfo {
  OcrField field;
  const char* name;  // the control's name
  bool signedField;  // a 32-bit signed field (TInteger_u), else 16-bit unsigned
  int32_t min;
  int32_t max;
};

inline constexpr std::array<OcrFieldInfo, 12> kOcrFields{{
    {OcrField::MinLineHeight, "Word_uLineMinHeight", false, 0, 45},
    {OcrField::MinInterLine, "Word_uMinInterLine", false, 1, 50},
    {OcrField::MaxLineHeight, "Word_uLineMaxHeight", false, 0, 45},
    {OcrField::MinCharWidth, "Word_uCharMinWidth", false, 1, 45},
    {OcrField::MinCharHeight, "Word_uCharMinHeight", false, 1, 45},
    {OcrField::SpaceWidth, "Integer_uMinSpaceWidth", true, -10, 45},
    {OcrField::ItaSpaceWidth, "Integer_uMinItaSpaceWidth", true, -10, 45},
    {OcrField::DetectItaWidth, "Integer_uDetectItaWidth", true, -10, 10},
    {OcrField::Sensibility, "Word_uSensibility", false, 0, 1000},
    {OcrField::MaxCharDiffWidth, "Word_uOcrWidthDiff", false, 0, 45},
    {OcrField::MaxCharDiffHeight, "Word_uOcrHeightDiff", false, 0, 45},
    {OcrField::MaxCharDiffTop, "Word_uOcrTopDiff", false, 0, 45},
}};

// A recognition aid's check box: its name and the setting it shows.
struct OcrAidInfo {
  const char* name;  // the control's name
  bool OcrSettings::*aid;
};

inline constexpr std::array<OcrAidInfo, 10> kOcrAids{{
    {"CheckBoxWholeGlyphs", &OcrSettings::WholeGlyphs},
    {"CheckBoxBestMatch", &OcrSettings::BestMatch},
    {"CheckBoxAutoSpaces", &OcrSettings::AutoSpaces},
    {"CheckBoxSplitTouching", &OcrSettings::SplitTouching},
    {"CheckBoxKeepSmallMarks", &OcrSettings::KeepSmallMarks},
    {"CheckBoxOtherSizes", &OcrSettings::OtherSizes},
    {"CheckBoxProposals", &OcrSettings::Proposals},
    {"CheckBoxLayeredDetection", &OcrSettings::LayeredDetection},
    {"CheckBoxIAndLByContext", &OcrSettings::IAndLByContext},
    {"CheckBoxTeachWholeLines", &OcrSettings::TeachWholeLines},
}};

int64_t OcrFieldValue(const OcrSettings& settings, OcrField field);
// Stores `value` into the field's setting, narrowed to the setting's width.
void StoreOcrField(OcrSettings& settings, OcrField field, int64_t value);

}  // namespace capter
