// SPDX-License-Identifier: GPL-3.0-or-later
// An ordered list of records addressed by position 1..Count(). Positions are
// full-width, so a long trace of fixed curves never wraps around.
#pragma once

#include <cstddef>
#include <vector>

namespace kurvio {

template <class Record>
class RecordList {
 public:
  void MakeEmpty() { records_.clear(); }
  bool IsEmpty() const { return records_.empty(); }
  std::size_t Count() const { return records_.size(); }

  void InsertFront(const Record& record) { records_.insert(records_.begin(), record); }

  // Inserts after position n; n = Count() appends (also on an empty list).
  // Any other position outside 1..Count() does nothing.
  void InsertAfter(std::size_t n, const Record& record) {
    if (n == records_.size())
      records_.push_back(record);
    else if (n >= 1 && n < records_.size())
      records_.insert(records_.begin() + static_cast<std::ptrdiff_t>(n), record);
  }

  // Position outside 1..Count(): nothing happens.
  void Delete(std::size_t n) {
    if (Valid(n)) records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(n - 1));
  }

  // Copies the record at position n into `record`; false (and `record`
  // untouched) for a position outside 1..Count().
  bool Read(std::size_t n, Record& record) const {
    if (!Valid(n)) return false;
    record = records_[n - 1];
    return true;
  }

  void DeleteAll() { records_.clear(); }

 private:
  bool Valid(std::size_t n) const { return n >= 1 && n <= records_.size(); }

  std::vector<Record> records_;
};

}  // namespace kurvio
