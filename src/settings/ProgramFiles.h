// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program's own files live, and how they are read and written.
//
// Files are looked up in ProgramDir. When that directory is shared (the data
// folder of an installed copy) or not writable (a directory that does not
// exist, or one the user may not change), files are written to UserDir
// instead, and a file found there is preferred when reading. "Writable" is
// what access(2) says for an existing directory; as root that is every
// directory on a writable file system, which is why an installed copy does not
// rely on it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kurvio {

// No file of the program comes near this; anything bigger is not ours to load.
inline constexpr std::size_t kMaxFileSize = 16 * 1024 * 1024;

// True when ProgramDir holds the shipped files of an installed copy: they are
// read from there but never written, whoever runs the program.
extern bool ProgramDirShared;

struct ProgramLocation {
  std::string dir;  // with a trailing '/'
  bool shared = false;
};
// Where the program's files are for an executable in `exeDir` (trailing '/'):
// the folder `dataPath` (relative to exeDir) of an installed copy when it
// exists, shared; otherwise exeDir itself, the program's own folder.
ProgramLocation LocateProgramDir(const std::string& exeDir, const std::string& dataPath);

bool DirectoryWritable(const std::string& dir);
// The path a file of the program is read from.
std::string PathForReading(const std::string& fileName);
// The shipped copy of a file where the user's own copy lives elsewhere (an
// installed or write-protected program folder); empty where the program's
// folder holds the user's own files (a copy run from its own folder).
std::string ShippedPath(const std::string& fileName);
// The path a file of the program is written to; empty when there is nowhere to write.
std::string PathForWriting(const std::string& fileName);
// The file's path in UserDir; empty when there is no user directory or it
// cannot be written, nor created where it is missing. Nothing is created here:
// WriteFileAtomically makes the folder when it writes the file.
std::string PathInUserDir(const std::string& fileName);

// The school's own defaults for every machine: "Kurvio/Kurvio.ini" in each of
// the system configuration folders ($XDG_CONFIG_DIRS, by default /etc/xdg),
// those that exist, the least important first.
std::vector<std::string> SchoolSettingsFiles();

enum class ReadResult { kOk, kMissing, kFailed };
// Reads a whole file; kMissing when there is no such file, kFailed when it
// exists but cannot be read, is no regular file or is larger than `maxSize`,
// with errno telling why (EFBIG for the size, EINVAL for no regular file).
ReadResult ReadWholeFile(const std::string& path, std::string& content,
                         std::size_t maxSize = kMaxFileSize);
// Why a file could not be read, for the user (German, UTF-8), from its errno
// value (E2BIG: a line longer than the file may hold).
std::string ReadFailureText(int error);

// Holds an exclusive lock on a directory (flock) while it lives, so that two
// copies of the program do not read, merge and write the same file at once.
// Waits at most `waitMs` for the other copy; without the lock (a file system
// that does not lock) it goes ahead, as it did before there was one.
class DirectoryLock {
 public:
  explicit DirectoryLock(const std::string& dir, int waitMs = 2000);
  ~DirectoryLock();
  DirectoryLock(const DirectoryLock&) = delete;
  DirectoryLock& operator=(const DirectoryLock&) = delete;
  bool Held() const { return held_; }

 private:
  int fd_ = -1;
  bool held_ = false;
};

// Writes the content to a new file beside `path` and renames it over `path`,
// so the old file stays whole until the new one is complete. False on failure,
// which leaves the old file as it was, with errno telling why. Temporary files
// that earlier interrupted saves of the same file left behind are removed. A
// missing UserDir is made for a file in it, and removed again when the write fails.
bool WriteFileAtomically(const std::string& path, const std::string& content);

// The temporary files of `path` ("path.XXXXXX", as WriteFileAtomically names
// them) not touched for `minutes`; removes them and returns how many went.
inline constexpr int kStaleMinutes = 10;
int RemoveStaleTemporaries(const std::string& path, int minutes = kStaleMinutes);

// RemoveStaleTemporaries for every file the program writes itself, where it writes them:
// the settings, the function list and `windowFiles` (the windows' example lists and lessons).
void RemoveStaleProgramTemporaries(const std::vector<std::string>& windowFiles);

// The error of a write that found no folder to take the file: the program's
// folder and the user's are both write-protected (or the user's cannot be made).
inline constexpr int kNoWritableFolder = -1;

// Why a write failed, for the user (German, UTF-8), from its errno value or
// kNoWritableFolder, which names the folders.
std::string WriteFailureText(int error);

}  // namespace kurvio

namespace kurvio {
// The last step of WriteFileAtomically; tests replace it to make it fail.
extern int (*RenameFile)(const char* from, const char* to);
// access(2) as DirectoryWritable and the picture files ask it; tests replace it
// to stand for a read-only directory or file, which permission bits cannot show
// to root.
extern int (*AccessFile)(const char* path, int mode);
}  // namespace kurvio
