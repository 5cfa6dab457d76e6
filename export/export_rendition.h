// The export rendition of a decoded sub-picture: cropped to its text and
// enlarged to the size constraints, mapped onto the 16-entry output palette
// at 4 or 8 bits per pixel, and placed on the 720 x 576 screen.
#pragma once

#include "export/bmp_export_settings.h"
#include "stream/picture.h"
#include "stream/sub_picture.h"  // the screen size

namespace capter {

// Renders `decoded` (shown at `area`) into `rendition` and returns the
// rendition's screen rectangle. `roleColours` says which grey plays each
// role. A picture without any text pixel keeps its whole size as the text.
Rect RenderForExport(const Picture24& decoded, const Rect& area, const BmpExportSettings& settings,
                     const RoleColours& roleColours, PalettedPicture& rendition);

}  // namespace capter
