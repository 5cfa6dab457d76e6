// A file of 2048-byte sectors read in large blocks into one reused buffer,
// so that walking it costs one system call per block, not per sector.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace capter {

inline constexpr size_t kSectorSize = 2048;

class SectorFile {
 public:
  // Sectors per block read; 512 KiB keeps the block in the processor cache.
  static constexpr size_t kBlockSectors = 256;

  SectorFile();
  ~SectorFile();
  SectorFile(const SectorFile&) = delete;
  SectorFile& operator=(const SectorFile&) = delete;

  // Opens read-only; false (with `Error()` set) when that fails.
  bool Open(const std::string& path);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }

  // Reads the block of whole sectors starting at sector `first`. Returns the
  // number of sectors now in the buffer (0 at the end of the file; a partial
  // sector at the end is not a sector), or -1 on a read error.
  long ReadBlock(int64_t first);
  const uint8_t* Sector(size_t indexInBlock) const {
    return block_.data() + indexInBlock * kSectorSize;
  }

  // The platform's text of the last failure.
  const std::string& Error() const { return error_; }

 private:
  int fd_ = -1;
  std::vector<uint8_t> block_;
  std::string error_;
};

}  // namespace capter
