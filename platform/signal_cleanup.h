#pragma once
// Temporary files that SIGINT and SIGTERM remove before the process ends, and the file-size
// limit turned from a signal that ends the process into a write that fails with EFBIG.

#include <string>

namespace sw::files {

// Where a signal's action is still the default: installs the handlers that remove every
// registered temporary file on SIGINT and SIGTERM and then end the process as the signal would,
// and catches SIGXFSZ so that a write past the file-size limit fails with EFBIG. Called before
// each write; a signal whose action someone else chose is left alone.
void prepareSignalCleanup();

// One temporary file's name, known to the handlers while the object lives.
class SignalCleanupEntry {
 public:
  SignalCleanupEntry() = default;
  // When every place for a name is taken (or the name is too long), the file is still removed
  // on failures, only not on a signal.
  explicit SignalCleanupEntry(const std::string& hostPath);
  ~SignalCleanupEntry();
  SignalCleanupEntry(SignalCleanupEntry&& other) noexcept;
  SignalCleanupEntry& operator=(SignalCleanupEntry&& other) noexcept;

  bool registered() const { return slot_ >= 0; }

 private:
  void release();
  int slot_ = -1;
};

}  // namespace sw::files
