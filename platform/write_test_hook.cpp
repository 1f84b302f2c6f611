#include "platform/write_test_hook.h"

#include <atomic>
#include <mutex>
#include <optional>
#include <utility>

namespace sw::files::test_hook {
namespace {

struct InjectedFailure {
  WriteStep step;
  int error;
  std::string targetSuffix;
};

struct InjectedAction {
  WriteStep step;
  std::function<void()> action;
};

struct Hooks {
  std::mutex mutex;
  std::optional<InjectedFailure> failure;
  std::optional<InjectedAction> action;
};

// Checked first on every step, so that writes without hooks never take the lock.
std::atomic<bool> anyHookSet{false};

Hooks& hooks() {
  static Hooks instance;
  return instance;
}

void updateHookFlag(const Hooks& current) {
  anyHookSet.store(current.failure.has_value() || current.action.has_value(), std::memory_order_release);
}

}  // namespace

void failWriteStep(WriteStep step, int error, std::string targetSuffix) {
  Hooks& current = hooks();
  std::lock_guard lock(current.mutex);
  current.failure = InjectedFailure{step, error, std::move(targetSuffix)};
  updateHookFlag(current);
}

void runAtWriteStep(WriteStep step, std::function<void()> action) {
  Hooks& current = hooks();
  std::lock_guard lock(current.mutex);
  current.action = InjectedAction{step, std::move(action)};
  updateHookFlag(current);
}

void clearWriteHooks() {
  Hooks& current = hooks();
  std::lock_guard lock(current.mutex);
  current.failure.reset();
  current.action.reset();
  updateHookFlag(current);
}

int errorAtWriteStep(WriteStep step, std::string_view targetHostPath) {
  if (!anyHookSet.load(std::memory_order_acquire)) return 0;
  Hooks& current = hooks();
  std::function<void()> action;
  int error = 0;
  {
    std::lock_guard lock(current.mutex);
    if (current.action && current.action->step == step) action = current.action->action;
    const std::optional<InjectedFailure>& failure = current.failure;
    if (failure && failure->step == step && targetHostPath.ends_with(failure->targetSuffix))
      error = failure->error;
  }
  // Outside the lock: the action may itself save, or end the process.
  if (action) action();
  return error;
}

}  // namespace sw::files::test_hook
