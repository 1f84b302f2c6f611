#pragma once
// Membership tests against a reference list: a plain scan for the usual short lists, a hash
// set once a list is long enough that repeated scans would turn a pass quadratic.

#include <algorithm>
#include <cstdint>
#include <unordered_set>
#include <vector>

#include "model/records.h"

namespace sw {

class NumberLookup {
 public:
  explicit NumberLookup(const std::vector<std::int32_t>& list) : list_(list) {
    if (list.size() > kScanLimit) set_.insert(list.begin(), list.end());
  }

  bool contains(std::int32_t number) const {
    if (list_.size() > kScanLimit) return set_.count(number) != 0;
    return std::find(list_.begin(), list_.end(), number) != list_.end();
  }

 private:
  static constexpr std::size_t kScanLimit = 16;
  const std::vector<std::int32_t>& list_;
  std::unordered_set<std::int32_t> set_;
};

// True if some entry of the program's Exclude is in the list.
inline bool ExcludesAnyOf(const TInstallItem& program, const NumberLookup& list) {
  return std::any_of(program.Exclude.begin(), program.Exclude.end(),
                     [&](std::int32_t number) { return list.contains(number); });
}

}  // namespace sw
