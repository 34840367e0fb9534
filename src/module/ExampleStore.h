// SPDX-License-Identifier: GPL-3.0-or-later
// An example file between a window's opening and its closing. It remembers
// what the file held when it was read, so that saving writes nothing when the
// list did not change, writes the file back in the form it was in (8-bit or
// UTF-8, its line ends), and keeps what another copy of the program saved
// meanwhile instead of overwriting it.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "settings/ProgramFiles.h"
#include "settings/TextEncoding.h"

namespace kurvio {

// A classroom list is a few kilobytes. A file far beyond that is no list of
// examples, and would keep the window from opening and closing at once.
inline constexpr std::size_t kMaxExampleFileSize = 32 * 1024;
// An entry holds one or two terms (up to 1000 characters each) and a short
// comment; a longer line would give the list box a line it takes long to show.
inline constexpr std::size_t kMaxExampleLineLength = 4096;

class ExampleStore {
 public:
  explicit ExampleStore(std::string fileName);

  // Reads the file from where the program reads it (PathForReading), or from
  // UserDir when the file there cannot be read and a copy in UserDir took its
  // place. kFailed also for a file larger than kMaxExampleFileSize or with a
  // line longer than kMaxExampleLineLength bytes.
  ReadResult Open();
  // The text read (DecodeText: UTF-8 with "\n" line ends); empty unless the
  // file was read.
  const std::string& Text() const { return opened_.text; }
  const std::string& ReadPath() const { return opened_.path; }
  // How the file was written (a new file: 8-bit with CR LF).
  const TextForm& Form() const { return opened_.form; }
  // Why the file could not be read: an errno value (E2BIG for a line too long).
  int ReadError() const { return opened_.error; }
  // Where Save writes: PathForWriting, or PathInUserDir when the file there
  // cannot be read (no such file is ever replaced); empty when there is no
  // such place.
  std::string SavePath() const;

  struct Saved {
    enum Outcome { kUnchanged, kWritten, kFailed } outcome = kUnchanged;
    std::string path;        // where the file was, or was to be, written
    int error = 0;           // kFailed: errno
    std::string unreadable;  // a file that could not be read, which `path` stands in for
    bool merged = false;     // the text was composed with another copy's
  };
  // Writes the text `compose` returns (nullopt: nothing to write). It is
  // called with nullptr when the file is as Open found it, else with the text
  // found now (empty when the file is gone or cannot be read). Reading,
  // composing and writing happen under a lock on the file's directory, so
  // that two copies saving at once take turns. Afterwards the store holds the
  // file as written.
  Saved Save(const std::function<std::optional<std::string>(const std::string* now)>& compose);

 private:
  struct Snapshot {
    std::string path;
    ReadResult result = ReadResult::kMissing;
    int error = 0;
    std::string bytes, text;
    TextForm form;
    // A missing file is the same wherever it was looked for.
    bool SameFile(const Snapshot& o) const {
      return result == o.result && bytes == o.bytes &&
             (result == ReadResult::kMissing || path == o.path);
    }
  };
  static Snapshot Read(const std::string& path);
  Snapshot ReadCurrent() const;

  std::string fileName_;
  Snapshot opened_;
};

}  // namespace kurvio
