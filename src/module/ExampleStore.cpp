// SPDX-License-Identifier: GPL-3.0-or-later
#include "module/ExampleStore.h"

#include <cerrno>
#include <filesystem>

#include "settings/Settings.h"

namespace kurvio {

ExampleStore::ExampleStore(std::string fileName) : fileName_(std::move(fileName)) {}

ExampleStore::Snapshot ExampleStore::Read(const std::string& path) {
  Snapshot s;
  s.path = path;
  s.result = ReadWholeFile(path, s.bytes, kMaxExampleFileSize);
  if (s.result == ReadResult::kFailed) s.error = errno;
  if (s.result != ReadResult::kOk) return s;
  std::size_t run = 0;
  for (char c : s.bytes) {
    run = c == '\r' || c == '\n' ? 0 : run + 1;
    if (run > kMaxExampleLineLength) {
      s.result = ReadResult::kFailed;
      s.error = E2BIG;
      s.bytes.clear();
      return s;
    }
  }
  s.text = DecodeText(s.bytes, s.form);
  return s;
}

ExampleStore::Snapshot ExampleStore::ReadCurrent() const {
  Snapshot s = Read(PathForReading(fileName_));
  if (s.result != ReadResult::kFailed || UserDir.empty() || s.path == UserDir + fileName_) return s;
  Snapshot copy = Read(UserDir + fileName_);
  return copy.result == ReadResult::kMissing ? s : copy;
}

ReadResult ExampleStore::Open() {
  opened_ = ReadCurrent();
  return opened_.result;
}

std::string ExampleStore::SavePath() const {
  const std::string target = PathForWriting(fileName_);
  if (target.empty() || Read(target).result != ReadResult::kFailed) return target;
  const std::string user = PathInUserDir(fileName_);
  if (user == target || Read(user).result == ReadResult::kFailed) return std::string();
  return user;
}

ExampleStore::Saved ExampleStore::Save(
    const std::function<std::optional<std::string>(const std::string* now)>& compose) {
  Saved saved;
  const std::string home = PathForWriting(fileName_);
  std::optional<DirectoryLock> lock;
  if (!home.empty()) lock.emplace(std::filesystem::path(home).parent_path().string());

  const Snapshot now = ReadCurrent();
  saved.path = SavePath();
  const bool unreadable =
      opened_.result == ReadResult::kFailed || now.result == ReadResult::kFailed;
  if (saved.path != home && unreadable) saved.unreadable = home;
  if (saved.path.empty()) {
    saved.outcome = Saved::kFailed;
    saved.error = home.empty() ? kNoWritableFolder : ENOENT;
    return saved;
  }

  // A file that cannot be read now tells nothing about what the other copy did.
  static const std::string gone;
  const std::string* current = nullptr;
  if (!now.SameFile(opened_) && now.result != ReadResult::kFailed)
    current = now.result == ReadResult::kOk ? &now.text : &gone;
  const std::optional<std::string> text = compose(current);
  if (!text) return saved;
  saved.merged = current != nullptr;

  // Written as the other copy left it; a file that is gone keeps the form it had.
  const TextForm& form = now.result == ReadResult::kOk && current ? now.form : opened_.form;
  const std::string bytes = EncodeText(*text, form);
  if (bytes.size() > kMaxExampleFileSize) {
    saved.outcome = Saved::kFailed;
    saved.error = EFBIG;
    return saved;
  }
  const Snapshot there = saved.path == now.path ? now : Read(saved.path);
  if (there.result != ReadResult::kOk || there.bytes != bytes) {
    errno = 0;
    if (!WriteFileAtomically(saved.path, bytes)) {
      saved.outcome = Saved::kFailed;
      saved.error = errno;
      return saved;
    }
    saved.outcome = Saved::kWritten;
  }
  opened_ = Read(saved.path);
  return saved;
}

}  // namespace kurvio
