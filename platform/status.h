#pragma once
// The result of an operation that can fail: what failed, the text for people and the
// system's reason. Text is UTF-8 (Qt and the command line take it as it is; the model keeps
// its own strings in code page 1251 and converts at this edge).

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace sw {

// What kind of failure: callers branch on it, people read the message.
enum class Failure : std::uint8_t {
  None,
  NotFound,        // no file or folder of that name
  NotRegularFile,  // a folder, device, pipe or socket where a file was expected
  ReadOnly,        // a read-only file that a save would have to replace
  TooLarge,        // beyond a reader's limit
  System,          // the system refused or failed; the detail says why
  NotAProject,     // the file has no [Common_Info] Ver
  WrongVersion,    // Ver is not "2.0"
  Refused,         // the save check found groups or programs the file cannot carry
  OutOfMemory,
};

class [[nodiscard]] Status {
 public:
  Status() = default;
  static Status failed(Failure failure, std::string message, std::string detail = {});

  bool ok() const { return failure_ == Failure::None; }
  explicit operator bool() const { return ok(); }
  Failure failure() const { return failure_; }
  // For people: what failed ("Unable to write to /d/setup.ini").
  const std::string& message() const { return message_; }
  // Why, in the system's words ("No space left on device"); may be empty.
  const std::string& detail() const { return detail_; }
  // The message followed by ": " and the detail when there is one.
  std::string text() const;

 private:
  Failure failure_ = Failure::None;
  std::string message_;
  std::string detail_;
};

// A value, or the Status that says why there is none.
template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}
  // `failure` must not be ok: a result without a value is always a failure.
  Result(Status failure) : status_(std::move(failure)) {}

  bool ok() const { return value_.has_value(); }
  explicit operator bool() const { return ok(); }
  const Status& status() const { return status_; }

  T& value() & { return *value_; }
  const T& value() const& { return *value_; }
  T&& value() && { return std::move(*value_); }
  T& operator*() & { return *value_; }
  const T& operator*() const& { return *value_; }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }

 private:
  std::optional<T> value_;
  Status status_;
};

// The system's text for an errno value, UTF-8.
std::string systemReason(int error);

}  // namespace sw
