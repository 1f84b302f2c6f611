// The names live in fixed slots that a signal handler can read without locks or allocation;
// the handler only calls unlink, sigaction and raise, which are async-signal-safe. Windows has
// no such signals for a console program's end; there the guard's failure paths are all.

#include "platform/signal_cleanup.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>

#include "platform/host_path.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace sw::files {
namespace {

#ifndef _WIN32
constexpr std::size_t kSlotCount = 32;  // saves running at once in one process
constexpr std::size_t kMaxNameBytes = 4096;

enum SlotState : int { kFree, kBusy, kArmed };

struct Slot {
  std::atomic<int> state{kFree};
  char name[kMaxNameBytes];
};
static_assert(std::atomic<int>::is_always_lock_free, "the handler reads the slots without locks");

std::array<Slot, kSlotCount> slots;

// Which of our handlers are in place; a signal not yet handled is asked again at the next save.
std::atomic<bool> interruptHandled{false};
std::atomic<bool> terminateHandled{false};
std::atomic<bool> fileSizeHandled{false};

extern "C" void removeTemporariesAndReraise(int signalNumber) {
  const int savedErrno = errno;
  for (Slot& slot : slots) {
    if (slot.state.load(std::memory_order_acquire) == kArmed) ::unlink(slot.name);
  }
  struct sigaction defaultAction {};
  defaultAction.sa_handler = SIG_DFL;
  sigemptyset(&defaultAction.sa_mask);
  ::sigaction(signalNumber, &defaultAction, nullptr);
  // Delivered when this handler returns, with the default action: the process ends by it.
  ::raise(signalNumber);
  errno = savedErrno;
}

// Catching the signal (rather than ignoring it) makes the write fail with EFBIG, and a program
// the editor starts still gets the default action.
extern "C" void continueAfterFileSizeLimit(int) {}

void installWhereDefault(int signalNumber, void (*handler)(int), std::atomic<bool>& handled) {
  if (handled.load(std::memory_order_acquire)) return;
  struct sigaction current {};
  if (::sigaction(signalNumber, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) return;
  struct sigaction ours {};
  ours.sa_handler = handler;
  sigemptyset(&ours.sa_mask);
  ours.sa_flags = SA_RESTART;
  if (::sigaction(signalNumber, &ours, nullptr) == 0) handled.store(true, std::memory_order_release);
}

int claimSlot(const std::string& hostPath) {
  if (hostPath.size() >= kMaxNameBytes || hostPath.find('\0') != std::string::npos) return -1;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    int expected = kFree;
    if (!slots[i].state.compare_exchange_strong(expected, kBusy, std::memory_order_acq_rel)) continue;
    std::memcpy(slots[i].name, hostPath.c_str(), hostPath.size() + 1);
    slots[i].state.store(kArmed, std::memory_order_release);
    return static_cast<int>(i);
  }
  return -1;
}

// A name the handler can still use after the process changed its current folder.
std::string absoluteName(const std::string& hostPath) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(fsPath(hostPath), error);
  return error ? hostPath : hostText(absolute);
}
#endif

}  // namespace

void prepareSignalCleanup() {
#ifndef _WIN32
  installWhereDefault(SIGINT, removeTemporariesAndReraise, interruptHandled);
  installWhereDefault(SIGTERM, removeTemporariesAndReraise, terminateHandled);
  installWhereDefault(SIGXFSZ, continueAfterFileSizeLimit, fileSizeHandled);
#endif
}

SignalCleanupEntry::SignalCleanupEntry([[maybe_unused]] const std::string& hostPath) {
#ifndef _WIN32
  slot_ = claimSlot(absoluteName(hostPath));
#endif
}

SignalCleanupEntry::~SignalCleanupEntry() { release(); }

SignalCleanupEntry::SignalCleanupEntry(SignalCleanupEntry&& other) noexcept : slot_(other.slot_) {
  other.slot_ = -1;
}

SignalCleanupEntry& SignalCleanupEntry::operator=(SignalCleanupEntry&& other) noexcept {
  if (this != &other) {
    release();
    slot_ = other.slot_;
    other.slot_ = -1;
  }
  return *this;
}

void SignalCleanupEntry::release() {
#ifndef _WIN32
  if (slot_ >= 0) slots[static_cast<std::size_t>(slot_)].state.store(kFree, std::memory_order_release);
#endif
  slot_ = -1;
}

}  // namespace sw::files
