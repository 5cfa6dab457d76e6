#include "stream/sector_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace capter {

SectorFile::SectorFile() : block_(kBlockSectors * kSectorSize) {}

SectorFile::~SectorFile() {
  Close();
}

bool SectorFile::Open(const std::string& path) {
  Close();
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) {
    error_ = std::strerror(errno);
    return false;
  }
  ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
  return true;
}

void SectorFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

long SectorFile::ReadBlock(int64_t first) {
  size_t got = 0;
  const off_t offset = static_cast<off_t>(first) * static_cast<off_t>(kSectorSize);
  while (got < block_.size()) {
    const ssize_t n =
        ::pread(fd_, block_.data() + got, block_.size() - got, offset + static_cast<off_t>(got));
    if (n < 0) {
      if (errno == EINTR) continue;
      error_ = std::strerror(errno);
      return -1;
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  return static_cast<long>(got / kSectorSize);
}

}  // namespace capter
