// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ProgramFiles.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <thread>
#include <vector>

#include "settings/Settings.h"

namespace kurvio {

bool ProgramDirShared = false;
int (*RenameFile)(const char* from, const char* to) = &std::rename;
int (*AccessFile)(const char* path, int mode) = &::access;

namespace {

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

bool WritesToProgramDir() { return !ProgramDirShared && DirectoryWritable(ProgramDir); }

}  // namespace

ProgramLocation LocateProgramDir(const std::string& exeDir, const std::string& dataPath) {
  namespace fs = std::filesystem;
  if (exeDir.empty() || dataPath.empty()) return {exeDir, false};
  const fs::path exe = (fs::path(exeDir) / "").lexically_normal();
  const fs::path data = (exe / dataPath / "").lexically_normal();
  // A data path leading back to the executable's folder would make the build
  // tree look installed.
  std::error_code ec;
  if (data != exe && fs::is_directory(data, ec)) return {data.string(), true};
  return {exeDir, false};
}

bool DirectoryWritable(const std::string& dir) {
  const std::string d = dir.empty() ? "." : dir;
  struct stat st;
  return ::stat(d.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && AccessFile(d.c_str(), W_OK) == 0;
}

std::string PathForReading(const std::string& fileName) {
  if (!UserDir.empty() && !WritesToProgramDir() && FileExists(UserDir + fileName))
    return UserDir + fileName;
  return ProgramDir + fileName;
}

std::string ShippedPath(const std::string& fileName) {
  return WritesToProgramDir() ? std::string() : ProgramDir + fileName;
}

std::string PathInUserDir(const std::string& fileName) {
  if (UserDir.empty()) return {};
  // A folder that is missing can be made when the nearest one that exists can be written.
  std::filesystem::path dir = std::filesystem::path(UserDir).lexically_normal();
  while (!FileExists(dir.string()) && dir.has_relative_path() && dir.has_parent_path())
    dir = dir.parent_path();
  return DirectoryWritable(dir.string()) ? UserDir + fileName : std::string();
}

std::vector<std::string> SchoolSettingsFiles() {
  const char* list = std::getenv("XDG_CONFIG_DIRS");
  const std::string dirs = list && *list ? list : "/etc/xdg";
  std::vector<std::string> files;
  std::size_t from = 0;
  while (from <= dirs.size()) {
    const std::size_t to = std::min(dirs.find(':', from), dirs.size());
    const std::string dir = dirs.substr(from, to - from);
    // Relative entries do not count; the first entry matters most, so it comes last.
    const std::string file = dir + (dir.ends_with('/') ? "" : "/") + "Kurvio/Kurvio.ini";
    if (dir.starts_with('/') && FileExists(file)) files.insert(files.begin(), file);
    from = to + 1;
  }
  return files;
}

std::string PathForWriting(const std::string& fileName) {
  return WritesToProgramDir() ? ProgramDir + fileName : PathInUserDir(fileName);
}

ReadResult ReadWholeFile(const std::string& path, std::string& content, std::size_t maxSize) {
  content.clear();
  // Non-blocking, so a FIFO in place of the file cannot stall the program.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return errno == ENOENT ? ReadResult::kMissing : ReadResult::kFailed;
  const auto fail = [fd, &content](int error) {
    ::close(fd);
    content.clear();
    errno = error;
    return ReadResult::kFailed;
  };
  struct stat st;
  if (::fstat(fd, &st) != 0) return fail(errno);
  if (S_ISDIR(st.st_mode)) return fail(EISDIR);
  if (!S_ISREG(st.st_mode)) return fail(EINVAL);
  // Refused before a byte is read, so a huge file costs no time.
  if (static_cast<std::size_t>(st.st_size) > maxSize) return fail(EFBIG);
  content.reserve(static_cast<std::size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(errno);
    }
    content.append(buffer, static_cast<std::size_t>(n));
    if (content.size() > maxSize) return fail(EFBIG);  // it grew while being read
  }
  ::close(fd);
  return ReadResult::kOk;
}

std::string ReadFailureText(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return "Keine Leseberechtigung.";
    case EFBIG:
      return "Die Datei ist zu groß.";
    case E2BIG:
      return "Eine Zeile ist zu lang.";
    case EISDIR:
      return "Unter diesem Namen gibt es einen Ordner.";
    case EINVAL:
      return "Das ist keine gewöhnliche Datei.";
    case ELOOP:
      return "Die Verknüpfung führt im Kreis.";
    case 0:
      return "Unbekannter Fehler.";
    default:
      return std::strerror(error);
  }
}

DirectoryLock::DirectoryLock(const std::string& dir, int waitMs) {
  fd_ = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) return;
  constexpr int kStepMs = 5;
  for (int waited = 0;; waited += kStepMs) {
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
      held_ = true;
      return;
    }
    if (errno != EWOULDBLOCK && errno != EINTR) return;
    if (waited >= waitMs) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(kStepMs));
  }
}

DirectoryLock::~DirectoryLock() {
  if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

namespace {

std::string WriteProtectedFolders() {
  std::vector<std::string> folders;
  if (!ProgramDirShared && !ProgramDir.empty()) folders.push_back(ProgramDir);
  if (!UserDir.empty()) folders.push_back(UserDir);
  if (folders.empty()) return "Es gibt keinen Ordner, in den geschrieben werden kann.";
  if (folders.size() == 1) return "Der Ordner „" + folders[0] + "“ ist schreibgeschützt.";
  return "Die Ordner „" + folders[0] + "“ und „" + folders[1] + "“ sind schreibgeschützt.";
}

}  // namespace

std::string WriteFailureText(int error) {
  switch (error) {
    case kNoWritableFolder:
      return WriteProtectedFolders();
    case EACCES:
    case EPERM:
      return "Keine Schreibberechtigung.";
    case EROFS:
      return "Der Datenträger ist schreibgeschützt.";
    case ENOSPC:
    case EDQUOT:
      return "Auf dem Datenträger ist kein Platz mehr.";
    case ENOENT:
    case ENOTDIR:
      return "Der Ordner existiert nicht.";
    case EISDIR:
      return "Unter diesem Namen gibt es einen Ordner.";
    case ENAMETOOLONG:
      return "Der Dateiname ist zu lang.";
    case EFBIG:
      return "Die Datei würde zu groß.";
    case 0:
      return "Unbekannter Fehler.";
    default:
      return std::strerror(error);
  }
}

int RemoveStaleTemporaries(const std::string& path, int minutes) {
  namespace fs = std::filesystem;
  const fs::path file(path);
  const std::string prefix = file.filename().string() + ".";
  if (prefix.size() == 1) return 0;
  std::error_code ec;
  const fs::path dir = file.has_parent_path() ? file.parent_path() : fs::path(".");
  const auto oldest = fs::file_time_type::clock::now() - std::chrono::minutes(minutes);
  int removed = 0;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    // Exactly the name mkostemp gives: six letters or digits after the file's own name.
    if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
    if (!std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                     [](unsigned char c) { return std::isalnum(c) != 0; }))
      continue;
    std::error_code fileError;
    if (!it->is_regular_file(fileError) || it->is_symlink(fileError)) continue;
    const auto touched = fs::last_write_time(it->path(), fileError);
    if (fileError || touched > oldest) continue;  // perhaps another copy is saving right now
    if (fs::remove(it->path(), fileError)) ++removed;
  }
  return removed;
}

void RemoveStaleProgramTemporaries(const std::vector<std::string>& windowFiles) {
  std::vector<std::string> names = {"Kurvio.ini", "FktListe.txt"};
  names.insert(names.end(), windowFiles.begin(), windowFiles.end());
  for (const std::string& dir : {ProgramDirShared ? std::string() : ProgramDir, UserDir}) {
    if (dir.empty() || !DirectoryWritable(dir)) continue;
    for (const std::string& name : names) RemoveStaleTemporaries(dir + name);
  }
}

namespace {

bool WriteIntoExistingFolder(const std::string& path, const std::string& content);

// The missing folders above `path`, outermost first, where it is a file of the
// user's folder of the program; a folder the user chose must exist.
std::vector<std::filesystem::path> MissingFolders(const std::string& path) {
  std::vector<std::filesystem::path> missing;
  if (UserDir.empty() || std::filesystem::path(path).parent_path().string() + '/' != UserDir)
    return missing;
  std::filesystem::path dir = std::filesystem::path(path).parent_path();
  while (!dir.empty() && !FileExists(dir.string()) && dir.has_relative_path()) {
    missing.insert(missing.begin(), dir);
    dir = dir.parent_path();
  }
  return missing;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const std::string& content) {
  if (path.empty()) {
    errno = ENOENT;
    return false;
  }
  const std::vector<std::filesystem::path> missing = MissingFolders(path);
  std::size_t made = 0;
  int error = 0;
  for (; made < missing.size(); ++made)
    if (::mkdir(missing[made].c_str(), 0755) != 0) {
      error = errno;
      break;
    }
  const bool ok = error == 0 && WriteIntoExistingFolder(path, content);
  if (!ok) {
    if (error == 0) error = errno;
    // A failed write leaves no empty folder behind.
    while (made > 0) ::rmdir(missing[--made].c_str());
    errno = error;
  }
  return ok;
}

namespace {

bool WriteIntoExistingFolder(const std::string& path, const std::string& content) {
  // Replace the file a link points to, not the link.
  std::string target = path;
  std::error_code ec;
  if (std::filesystem::is_symlink(path, ec)) {
    const auto resolved = std::filesystem::weakly_canonical(path, ec);
    if (ec) return false;
    target = resolved.string();
  }

  // A unique name, so a temporary file left by an earlier interrupted save is no obstacle;
  // such leftovers go once they are old enough not to belong to a save still running.
  RemoveStaleTemporaries(target);
  std::string temp = target + ".XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return false;

  struct stat old;
  const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
  int error = 0;
  const auto fail = [&error] {
    if (error == 0) error = errno != 0 ? errno : EIO;
    return false;
  };
  bool ok = ::fchmod(fd, mode) == 0 || fail();
  std::size_t written = 0;
  while (ok && written < content.size()) {
    const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) errno = ENOSPC;
    if (n <= 0)
      ok = fail();
    else
      written += static_cast<std::size_t>(n);
  }
  ok = ok && (::fsync(fd) == 0 || fail());
  ok = (::close(fd) == 0 || fail()) && ok;
  ok = ok && (RenameFile(temp.c_str(), target.c_str()) == 0 || fail());
  if (!ok) {
    ::unlink(temp.c_str());
    errno = error;
  }
  return ok;
}

}  // namespace

}  // namespace kurvio
