#pragma once
// A test hook into files::replaceFile: a test makes one step of the write fail with an errno
// of its choice, or runs its own code when a write reaches a step (to raise a signal in the
// middle of a save). Nothing else may use it. Unused, it costs one atomic load per step.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace sw::files::test_hook {

// The steps of a write, in their order.
enum class WriteStep : std::uint8_t {
  Open,    // creating the temporary file
  Write,   // each write of bytes into it
  Flush,   // syncing it to the disk
  Rename,  // putting it in the target's place
};

// From now on `step` fails with `error` for targets whose host path ends with `targetSuffix`
// (every target when it is empty). Replaces an earlier failure.
void failWriteStep(WriteStep step, int error, std::string targetSuffix = {});
// From now on `action` runs whenever a write reaches `step`, before the step's own work.
void runAtWriteStep(WriteStep step, std::function<void()> action);
// Back to plain writes.
void clearWriteHooks();

// For replaceFile: runs the action of this step, then gives the errno it must fail with (0: go on).
int errorAtWriteStep(WriteStep step, std::string_view targetHostPath);

// Clears the hooks when it goes, so that a failing test leaves none behind.
class ScopedWriteHooks {
 public:
  ScopedWriteHooks() = default;
  ~ScopedWriteHooks() { clearWriteHooks(); }
  ScopedWriteHooks(const ScopedWriteHooks&) = delete;
  ScopedWriteHooks& operator=(const ScopedWriteHooks&) = delete;
};

}  // namespace sw::files::test_hook
