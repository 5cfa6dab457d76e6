// The character matrix file (*.sum): a 280-byte header (23-byte magic,
// 255-byte comment, 16-bit little-endian entry count) followed by one
// 277-byte record per entry (top offset, width, height, 20 text bytes and
// the 45 x 45 bits as a row-major stream of 2025 bits in 254 bytes).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "ocr/character_matrix.h"

namespace capter {

inline constexpr std::string_view kMatrixMagic = "Capter_Char_Matrix_File";
inline constexpr size_t kMatrixHeaderBytes = 280;
inline constexpr size_t kMatrixRecordBytes = 277;
inline constexpr size_t kMatrixRecordBitBytes = 254;

struct MatrixFileResult {
  enum Kind { Ok, NotAMatrix, FileError, OutOfMemory };
  Kind kind = Ok;
  std::string error;         // the platform's message for FileError
  size_t declaredCount = 0;  // the entry count the header declares
};

// Reads the bytes of a matrix file into `matrix`, which should be empty:
// comment and entries. Bytes past the declared records are ignored.
MatrixFileResult ParseMatrixFile(std::string_view bytes, CharacterMatrix& matrix);

// Reads the file at `path` into `matrix` (see ParseMatrixFile). Only the
// header and the declared records are read, never more.
MatrixFileResult ReadMatrixFile(const std::string& path, CharacterMatrix& matrix);

// The file image of `matrix`: 280 + 277 x N bytes.
std::string SerializeMatrixFile(const CharacterMatrix& matrix);

}  // namespace capter
