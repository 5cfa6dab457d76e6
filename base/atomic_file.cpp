#include "base/atomic_file.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace capter {
namespace {

FileResult Failure(const std::string& path, int error = errno) {
  return FileResult{false, path + ": " + std::strerror(error)};
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

// The temporary file of the write in progress, for the interrupt handler:
// plain storage and a flag, as a signal handler may only read such.
char g_temporary[PATH_MAX + 16];
volatile sig_atomic_t g_temporaryActive = 0;

void RememberTemporary(const std::string& temp) {
  if (temp.size() >= sizeof g_temporary) return;
  std::memcpy(g_temporary, temp.c_str(), temp.size() + 1);
  g_temporaryActive = 1;
}

void ForgetTemporary() {
  g_temporaryActive = 0;
}

// Holds SIGINT and SIGTERM back while a temporary file is made or given up,
// so an interrupt never falls between creating the file and remembering it,
// or between renaming it and forgetting it.
class InterruptsHeld {
 public:
  InterruptsHeld() {
    sigset_t held;
    sigemptyset(&held);
    sigaddset(&held, SIGINT);
    sigaddset(&held, SIGTERM);
    ::sigprocmask(SIG_BLOCK, &held, &previous_);
  }
  ~InterruptsHeld() { ::sigprocmask(SIG_SETMASK, &previous_, nullptr); }
  InterruptsHeld(const InterruptsHeld&) = delete;
  InterruptsHeld& operator=(const InterruptsHeld&) = delete;

 private:
  sigset_t previous_;
};

// A new temporary file beside `target`, remembered for the interrupt
// handler; -1 (errno set) when it cannot be made.
int MakeTemporary(const std::string& target, std::string& temp) {
  temp = target + ".tmp-XXXXXX";
  InterruptsHeld held;
  const int fd = ::mkstemp(temp.data());
  if (fd >= 0) RememberTemporary(temp);
  return fd;
}

extern "C" void RemoveTemporaryAndExit(int signal) {
  if (g_temporaryActive != 0) ::unlink(g_temporary);
  // The default action then ends the process as the signal normally would.
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

// The folder part of a path ("." for a bare name).
std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows symbolic links to the name that is finally written (which may not
// exist yet). Relative link targets are taken from the link's folder.
std::string FollowLinks(const std::string& path) {
  std::string current = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    char target[PATH_MAX];
    const ssize_t n = ::readlink(current.c_str(), target, sizeof target - 1);
    if (n <= 0) return current;
    std::string next(target, static_cast<size_t>(n));
    if (next.front() != '/' && current.find('/') != std::string::npos) {
      next = FolderOf(current) + "/" + next;
    }
    current = next;
  }
  return current;
}

// Names of already open descriptors (/dev/stdout, /dev/fd/N): replacing
// them would cut the descriptor off from what is written, so they are
// always written in place.
bool NamesOpenDescriptor(const std::string& path) {
  return path == "/dev/stdout" || path == "/dev/stderr" || path.starts_with("/dev/fd/") ||
         path.starts_with("/proc/self/fd/");
}

enum class Destination { Replace, InPlace, Refused };

// How `path` is written; for Replace, `target` is the regular file (or new
// name) behind any links. Refused sets errno.
Destination Classify(const std::string& path, std::string& target) {
  target = path;
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) {
      errno = EISDIR;
      return Destination::Refused;
    }
    if (!S_ISREG(info.st_mode) || NamesOpenDescriptor(path)) return Destination::InPlace;
    if (::access(path.c_str(), W_OK) != 0) return Destination::Refused;
  }
  target = FollowLinks(path);
  return Destination::Replace;
}

FileResult WriteInPlace(const std::string& path, std::string_view bytes) {
  struct stat info {};
  const bool regular = ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | (regular ? O_TRUNC : 0));
  if (fd < 0) return Failure(path);
  const bool written = WriteAll(fd, bytes);
  const int error = errno;
  const bool closed = ::close(fd) == 0;
  if (!written) return Failure(path, error);
  if (!closed) return Failure(path);
  return {};
}

// The replacement takes the old file's owner, group and mode; a new file
// gets the usual mode (mkstemp makes it readable by its owner only).
void TakeOverAttributes(int fd, const std::string& target) {
  struct stat existing {};
  if (::stat(target.c_str(), &existing) != 0) {
    ::fchmod(fd, 0644);
    return;
  }
  if (::fchown(fd, existing.st_uid, existing.st_gid) != 0) {
    [[maybe_unused]] const int groupOnly = ::fchown(fd, static_cast<uid_t>(-1), existing.st_gid);
  }
  ::fchmod(fd, existing.st_mode & 07777);
}

void SyncFolder(const std::string& target) {
  const int fd = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

FileResult Replace(const std::string& path, const std::string& target, std::string_view bytes) {
  std::string temp;
  const int fd = MakeTemporary(target, temp);
  if (fd < 0) return Failure(path);
  TakeOverAttributes(fd, target);
  const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  const int savedErrno = errno;
  const bool closed = ::close(fd) == 0;
  FileResult result;
  {
    InterruptsHeld held;
    if (!written || !closed) {
      result = Failure(path, written ? errno : savedErrno);
    } else if (std::rename(temp.c_str(), target.c_str()) != 0) {
      result = Failure(path);
    }
    if (!result.ok) ::unlink(temp.c_str());
    ForgetTemporary();
  }
  if (result.ok) SyncFolder(target);
  return result;
}

}  // namespace

FileResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
  std::string target;
  switch (Classify(path, target)) {
    case Destination::Refused:
      return Failure(path);
    case Destination::InPlace:
      return WriteInPlace(path, bytes);
    case Destination::Replace:
      break;
  }
  return Replace(path, target, bytes);
}

FileResult CheckWritableDestination(const std::string& path) {
  std::string target;
  switch (Classify(path, target)) {
    case Destination::Refused:
      return Failure(path);
    case Destination::InPlace:
      return ::access(path.c_str(), W_OK) == 0 ? FileResult{} : Failure(path);
    case Destination::Replace:
      break;
  }
  std::string temp;
  const int fd = MakeTemporary(target, temp);
  if (fd < 0) return Failure(path);
  InterruptsHeld held;
  ::close(fd);
  ::unlink(temp.c_str());
  ForgetTemporary();
  return {};
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat first {
  }, second{};
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
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

void RemoveTemporaryFileOnInterrupt() {
  for (const int signal : {SIGINT, SIGTERM}) {
    struct sigaction current {};
    ::sigaction(signal, nullptr, &current);
    // A signal the shell set to be ignored (a background job) stays so.
    if (current.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = RemoveTemporaryAndExit;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
  }
}

}  // namespace capter
