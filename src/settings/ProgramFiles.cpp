#include "settings/ProgramFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "settings/Settings.h"

namespace kurvio {

bool ProgramDirShared = false;
int (*RenameFile)(const char* from, const char* to) = &std::rename;
int (*AccessFile)(const char* path, int mode) = &::access;

namespace {

// No file of the program comes near this; anything bigger is not ours to load.
constexpr off_t kMaxFileSize = 16 * 1024 * 1024;

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

std::string PathForWriting(const std::string& fileName) {
  if (WritesToProgramDir()) return ProgramDir + fileName;
  if (UserDir.empty()) return {};
  std::error_code ec;
  std::filesystem::create_directories(UserDir, ec);
  return DirectoryWritable(UserDir) ? UserDir + fileName : std::string();
}

ReadResult ReadWholeFile(const std::string& path, std::string& content) {
  content.clear();
  // Non-blocking, so a FIFO in place of the file cannot stall the program.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return errno == ENOENT ? ReadResult::kMissing : ReadResult::kFailed;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxFileSize) {
    ::close(fd);
    return ReadResult::kFailed;
  }
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      content.clear();
      return ReadResult::kFailed;
    }
    content.append(buffer, static_cast<std::size_t>(n));
    if (content.size() > static_cast<std::size_t>(kMaxFileSize)) {
      ::close(fd);
      content.clear();
      return ReadResult::kFailed;
    }
  }
  ::close(fd);
  return ReadResult::kOk;
}

bool WriteFileAtomically(const std::string& path, const std::string& content) {
  if (path.empty()) return false;
  // Replace the file a link points to, not the link.
  std::string target = path;
  std::error_code ec;
  if (std::filesystem::is_symlink(path, ec)) {
    const auto resolved = std::filesystem::weakly_canonical(path, ec);
    if (ec) return false;
    target = resolved.string();
  }

  // A unique name, so a temporary file left by an earlier interrupted save is no obstacle.
  std::string temp = target + ".XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return false;

  struct stat old;
  const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
  bool ok = ::fchmod(fd, mode) == 0;
  std::size_t written = 0;
  while (ok && written < content.size()) {
    const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0)
      ok = false;
    else
      written += static_cast<std::size_t>(n);
  }
  ok = ok && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && RenameFile(temp.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

}  // namespace kurvio
