// Matrix files from outside: any bytes must parse without reading past the
// buffer, a parsed matrix must survive writing and reading back unchanged,
// and matching against its entries (whatever sizes they declare), at their
// own sizes and at others, must stay inside the glyphs.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "ocr/matcher.h"
#include "ocr/matrix_file.h"
#include "ocr/scaled_match.h"

namespace {

// A line of three leaning boxes (the smallest compared, a middle one, the
// largest glyph) read at other sizes and slants.
void ReadAtOtherSizes(const capter::CharacterMatrix& matrix) {
  using namespace capter;
  Picture24 picture(120, 50);
  TextLine line;
  line.bottom = 49;
  int left = 0;
  for (uint16_t side : {uint16_t{8}, uint16_t{20}, uint16_t{45}}) {
    const size_t j = line.boxes.size();
    line.boxes.push_back(CharBox{static_cast<uint16_t>(left), 0, side, side, 0, 0});
    for (int i = 0; i < side; ++i) picture.SetPixel(left + i, side - 1 - i, MarkOf(j));
    left += side + 2;
  }
  OtherSizeReader reader;
  for (size_t j = 0; j < line.boxes.size(); ++j)
    reader.Read(picture, line, j, matrix, OcrSettings{});
}

}  // namespace

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
  ReadAtOtherSizes(matrix);
  return 0;
}
