// Matrix files from outside: any bytes must parse without reading past the
// buffer, a parsed matrix must survive writing and reading back unchanged,
// and matching against its entries (whatever sizes they declare) must stay
// inside the glyphs.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "ocr/matcher.h"
#include "ocr/matrix_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace capter;
  CharacterMatrix matrix;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (ParseMatrixFile(bytes, matrix).kind != MatrixFileResult::Ok) return 0;

  CharacterMatrix again;
  if (ParseMatrixFile(SerializeMatrixFile(matrix), again).kind != MatrixFileResult::Ok) abort();
  if (again.Count() != matrix.Count() || again.Comment() != matrix.Comment()) abort();
  for (size_t i = 1; i <= matrix.Count(); ++i) {
    if (!(again.Entry(i) == matrix.Entry(i))) abort();
  }

  Glyph glyph;
  glyph.Width = glyph.Height = 45;
  for (int i = 0; i < 45; ++i) glyph.SetPixel(i, 44 - i, true);
  OcrSettings anything;
  anything.MaxCharDiffWidth = anything.MaxCharDiffHeight = anything.MaxCharDiffTop = 255;
  anything.Sensibility = 0;
  for (uint16_t side : {uint16_t{1}, uint16_t{45}, uint16_t{300}}) {
    const CharBox box{0, 0, side, side, 0, 0};
    MatchGlyph(glyph, box, matrix, anything);
  }
  return 0;
}
