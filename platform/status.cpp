#include "platform/status.h"

#include <QString>
#include <cstring>

namespace sw {

Status Status::failed(Failure failure, std::string message, std::string detail) {
  Status status;
  status.failure_ = failure == Failure::None ? Failure::System : failure;
  status.message_ = std::move(message);
  status.detail_ = std::move(detail);
  return status;
}

std::string Status::text() const {
  if (detail_.empty()) return message_;
  return message_ + ": " + detail_;
}

std::string systemReason(int error) {
  // strerror's text is in the locale's encoding; Qt turns it into UTF-8 whatever that is.
  return QString::fromLocal8Bit(std::strerror(error)).toStdString();
}

}  // namespace sw
