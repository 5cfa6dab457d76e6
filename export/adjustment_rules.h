// Rules of the bitmap adjustment window and the progression controller that
// do not depend on widgets: the palette-index choice that refuses an index
// another role holds, the subtitle format a palette preset switches to, the
// width of the window outline's tab strip, and the names and titles of the
// single-picture saves of a show-only run.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "export/bmp_export_settings.h"
#include "text/output_format.h"

namespace capter {

// Role `role` takes palette index `index`. False (nothing changes) when
// another role already holds that index.
bool ChoosePaletteIndex(BmpExportSettings& settings, int role, uint8_t index);

// The subtitle format that confirming the adjustment with `preset` makes
// current: IAuthor OGT for "I-Author", Philips SVCD Designer for "Philips",
// none for "Free".
std::optional<OutputFormatCode> PresetOutputFormat(uint8_t preset);

// The window's outline keeps the tab strip up to `stripEnd` (pixels from the
// left); an end below 150 or beyond the client width means the full width.
int OutlineStripWidth(int stripEnd, int clientWidth);

enum class SinglePictureKind { Bmp, Sup };

// Title of the save dialog for one picture of a show-only run, naming the
// run's unit count: "Save as BMP Subpicture N° 7 , enter the beginning of
// File Name".
std::string SinglePictureSaveTitle(SinglePictureKind kind, uint32_t unitsInRun);
// The chosen name with ".BMP" or ".SUP" appended as it is: "pic.bmp" gives
// "pic.bmp.BMP".
std::string SinglePictureSavePath(const std::string& chosen, SinglePictureKind kind);

}  // namespace capter
