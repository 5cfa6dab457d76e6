#include "base/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

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
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Failure(path);
  struct stat info {};
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    if (S_ISDIR(info.st_mode)) errno = EISDIR;
    FileResult result = Failure(path);
    ::close(fd);
    return result;
  }
  std::string contents;
  contents.reserve(static_cast<size_t>(std::max<off_t>(info.st_size, 0)));
  char chunk[65536];
  while (true) {
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      FileResult result = Failure(path);
      ::close(fd);
      return result;
    }
    contents.append(chunk, static_cast<size_t>(n));
  }
  ::close(fd);
  bytes = std::move(contents);
  return {};
}

}  // namespace capter
