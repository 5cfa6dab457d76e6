// Replacing a file without ever losing the old one: the new contents go to a
// temporary file in the same folder, which is renamed over the target only
// when it is complete and flushed.
//
// What a destination path names decides how it is written:
// - a regular file (or a new name) is replaced atomically, keeping the old
//   file's mode, owner and group where the system allows; the folder is
//   synced after the rename so that the new file survives a power cut;
// - a symbolic link is followed and its target replaced that way;
// - a FIFO or a device (a terminal, /dev/stdout, /dev/null) is written in
//   place, as a shell redirection would;
// - a directory is refused, and so is an existing file the user may not
//   write (with the system's permission error).
#pragma once

#include <string>
#include <string_view>

namespace capter {

struct FileResult {
  bool ok = true;
  // When !ok: "path: reason", the path named once, so callers show it as it
  // is.
  std::string error;
};

FileResult WriteFileAtomically(const std::string& path, std::string_view bytes);

// Whether a write to `path` could succeed, checked before long work starts:
// the folder exists and takes a new file (a temporary file is created and
// removed beside the target), or the FIFO or device can be written. The
// error has the form WriteFileAtomically gives.
FileResult CheckWritableDestination(const std::string& path);

// Whether the two paths name the same existing file (same device and inode,
// so links and different spellings are caught).
bool SameFile(const std::string& a, const std::string& b);

// Reads a whole file as bytes; ok is false (with the platform's message) when
// it cannot be opened or read.
FileResult ReadWholeFile(const std::string& path, std::string& bytes);

// On SIGINT or SIGTERM, removes the temporary file of the write in progress
// (if any) and ends the process with the signal's usual exit status.
void RemoveTemporaryFileOnInterrupt();

}  // namespace capter
