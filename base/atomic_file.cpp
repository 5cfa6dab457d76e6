#include "base/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace capter {
namespace {

FileResult Failure(const std::string& path) {
  return FileResult{false, path + ": " + std::strerror(errno)};
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

}  // namespace

FileResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
  std::string temp = path + ".tmp-XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return Failure(path);
  // mkstemp creates the file readable by its owner only; keep the mode of the
  // file being replaced, or give a new file the usual one.
  struct stat existing {};
  ::fchmod(fd, ::stat(path.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644);
  const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  const int savedErrno = errno;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed) {
    errno = written ? errno : savedErrno;
    FileResult result = Failure(path);
    ::unlink(temp.c_str());
    return result;
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    FileResult result = Failure(path);
    ::unlink(temp.c_str());
    return result;
  }
  return {};
}

FileResult ReadWholeFile(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return Failure(path);
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) return Failure(path);
  bytes = std::move(buffer).str();
  return {};
}

}  // namespace capter
