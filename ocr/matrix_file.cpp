#include "ocr/matrix_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <new>

namespace capter {

namespace {

constexpr size_t kCommentOffset = 23;
constexpr size_t kCountOffset = 278;
constexpr size_t kTextOffset = 3;
constexpr size_t kBitsOffset = 23;
constexpr int kStreamBits = kGlyphSize * kGlyphSize;  // 2025

// The file ends before the part that `needed` bytes would hold.
std::string CutShort(size_t size, size_t needed, const std::string& part) {
  return "the file is cut short: " + std::to_string(size) + " bytes, " + part + " needs " +
         std::to_string(needed);
}

// A zero-padded field: the bytes up to the first zero byte.
std::string PaddedText(std::string_view field) {
  return std::string(field.substr(0, field.find('\0')));
}

void AppendPadded(std::string& out, std::string_view text, size_t width) {
  const size_t used = std::min(text.size(), width);
  out.append(text.substr(0, used));
  out.append(width - used, '\0');
}

uint8_t Byte(std::string_view bytes, size_t offset) {
  return static_cast<uint8_t>(bytes[offset]);
}

// Pixels outside the glyph's size carry no meaning and are skipped both
// ways, so they are written as zero and ignored on reading.
int UsedWidth(const Glyph& g) {
  return std::min<int>(g.Width, kGlyphSize);
}
int UsedHeight(const Glyph& g) {
  return std::min<int>(g.Height, kGlyphSize);
}

MatrixEntry ParseRecord(std::string_view record) {
  MatrixEntry entry;
  Glyph& g = entry.glyph;
  g.TopOffset = Byte(record, 0);
  g.Width = Byte(record, 1);
  g.Height = Byte(record, 2);
  entry.text = PaddedText(record.substr(kTextOffset, CharacterMatrix::kMaxEntryText));
  const std::string_view bits = record.substr(kBitsOffset, kMatrixRecordBitBytes);
  for (int y = 0; y < UsedHeight(g); ++y) {
    for (int x = 0; x < UsedWidth(g); ++x) {
      const int n = kGlyphSize * y + x;
      if (Byte(bits, n / 8) & (0x80 >> (n % 8))) g.SetPixel(x, y, true);
    }
  }
  return entry;
}

void AppendRecord(std::string& out, const MatrixEntry& entry) {
  const Glyph& g = entry.glyph;
  out.push_back(static_cast<char>(g.TopOffset));
  out.push_back(static_cast<char>(g.Width));
  out.push_back(static_cast<char>(g.Height));
  AppendPadded(out, entry.text, CharacterMatrix::kMaxEntryText);
  uint8_t bits[kMatrixRecordBitBytes] = {};
  static_assert((kStreamBits + 7) / 8 == kMatrixRecordBitBytes);
  for (int y = 0; y < UsedHeight(g); ++y) {
    for (int x = 0; x < UsedWidth(g); ++x) {
      const int n = kGlyphSize * y + x;
      if (g.Pixel(x, y)) bits[n / 8] |= static_cast<uint8_t>(0x80 >> (n % 8));
    }
  }
  out.append(reinterpret_cast<const char*>(bits), kMatrixRecordBitBytes);
}

}  // namespace

MatrixFileResult ParseMatrixFile(std::string_view bytes, CharacterMatrix& matrix) {
  MatrixFileResult result;
  if (bytes.size() < kMatrixMagic.size()) {
    result.kind = MatrixFileResult::FileError;
    result.error = CutShort(bytes.size(), kMatrixHeaderBytes, "the header");
    return result;
  }
  if (bytes.substr(0, kMatrixMagic.size()) != kMatrixMagic) {
    result.kind = MatrixFileResult::NotAMatrix;
    return result;
  }
  if (bytes.size() < kMatrixHeaderBytes) {
    result.kind = MatrixFileResult::FileError;
    result.error = CutShort(bytes.size(), kMatrixHeaderBytes, "the header");
    return result;
  }
  result.declaredCount = Byte(bytes, kCountOffset) | (Byte(bytes, kCountOffset + 1) << 8);
  const size_t needed = kMatrixHeaderBytes + kMatrixRecordBytes * result.declaredCount;
  if (bytes.size() < needed) {
    result.kind = MatrixFileResult::FileError;
    result.error = CutShort(bytes.size(), needed,
                            "the header with " + std::to_string(result.declaredCount) + " records");
    return result;
  }
  try {
    matrix.Reserve(result.declaredCount);
    matrix.SetLoadedComment(PaddedText(bytes.substr(kCommentOffset, CharacterMatrix::kMaxComment)));
    for (size_t i = 0; i < result.declaredCount; ++i) {
      const size_t offset = kMatrixHeaderBytes + kMatrixRecordBytes * i;
      matrix.AppendLoaded(ParseRecord(bytes.substr(offset, kMatrixRecordBytes)));
    }
  } catch (const std::bad_alloc&) {
    result.kind = MatrixFileResult::OutOfMemory;
  }
  return result;
}

MatrixFileResult ReadMatrixFile(const std::string& path, CharacterMatrix& matrix) {
  MatrixFileResult result;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    result.kind = MatrixFileResult::FileError;
    result.error = std::strerror(errno);
    return result;
  }
  std::string bytes(kMatrixHeaderBytes, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<size_t>(in.gcount()));
  // The records are read only for a header that is a matrix's.
  if (bytes.size() == kMatrixHeaderBytes && bytes.starts_with(kMatrixMagic)) {
    const size_t count = Byte(bytes, kCountOffset) | (Byte(bytes, kCountOffset + 1) << 8);
    try {
      bytes.resize(kMatrixHeaderBytes + kMatrixRecordBytes * count);
    } catch (const std::bad_alloc&) {
      result.kind = MatrixFileResult::OutOfMemory;
      result.declaredCount = count;
      return result;
    }
    in.read(bytes.data() + kMatrixHeaderBytes,
            static_cast<std::streamsize>(kMatrixRecordBytes * count));
    bytes.resize(kMatrixHeaderBytes + static_cast<size_t>(in.gcount()));
  }
  if (in.bad()) {
    result.kind = MatrixFileResult::FileError;
    result.error = std::strerror(errno);
    return result;
  }
  return ParseMatrixFile(bytes, matrix);
}

std::string SerializeMatrixFile(const CharacterMatrix& matrix) {
  const size_t count = matrix.Count();
  std::string out;
  out.reserve(kMatrixHeaderBytes + kMatrixRecordBytes * count);
  out.append(kMatrixMagic);
  AppendPadded(out, matrix.Comment(), CharacterMatrix::kMaxComment);
  out.push_back(static_cast<char>(count & 0xFF));
  out.push_back(static_cast<char>(count >> 8));
  for (size_t i = 1; i <= count; ++i) AppendRecord(out, matrix.Entry(i));
  return out;
}

}  // namespace capter
