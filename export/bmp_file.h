// BMP files: the writer for the export rendition (4 or 8 bits per pixel with
// a 16- or 256-entry colour table, rows bottom-up, each padded to 4 bytes)
// and a reader for the program's own pictures and the preview's background
// images (uncompressed 1, 4, 8, 16, 24 and 32 bits per pixel).
#pragma once

#include <string>
#include <string_view>

#include "base/atomic_file.h"
#include "stream/picture.h"

namespace capter {

// The bytes of a BMP file holding `picture` at its own depth (4 or 8 bits).
std::string EncodeBmp(const PalettedPicture& picture);

// Writes `picture` as a BMP file, creating or replacing `path`.
FileResult WriteBmpFile(const PalettedPicture& picture, const std::string& path);

struct BmpReadResult {
  bool ok = true;
  std::string error;  // what is wrong with the file when !ok
};

// Decodes a BMP file into a 24-bit picture. Every field is checked against
// the bytes present; pictures larger than 16384 pixels a side or 64 Mi
// pixels in all are refused.
BmpReadResult DecodeBmp(std::string_view bytes, Picture24& picture);

// Reads and decodes a BMP file; the error names the file.
BmpReadResult ReadBmpFile(const std::string& path, Picture24& picture);

}  // namespace capter
