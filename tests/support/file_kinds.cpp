#include "support/file_kinds.h"

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace sw::testing {

void makeSocket(const std::string& hostPath) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (hostPath.size() >= sizeof address.sun_path)
    throw std::runtime_error("socket path too long: " + hostPath);
  std::memcpy(address.sun_path, hostPath.c_str(), hostPath.size() + 1);
  const int descriptor = ::socket(AF_UNIX, SOCK_STREAM, 0);
  const bool bound =
      descriptor >= 0 && ::bind(descriptor, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  if (descriptor >= 0) ::close(descriptor);
  if (!bound) throw std::runtime_error("cannot make a socket at " + hostPath);
}

FileOwnership ownershipOf(const std::string& hostPath) {
  struct stat info {};
  if (::stat(hostPath.c_str(), &info) != 0) throw std::runtime_error("cannot stat " + hostPath);
  return {static_cast<mode_t>(info.st_mode & 07777), info.st_uid, info.st_gid};
}

void defaultWhereIgnored(int signalNumber) {
  struct sigaction current {};
  if (::sigaction(signalNumber, nullptr, &current) == 0 && current.sa_handler == SIG_IGN)
    std::signal(signalNumber, SIG_DFL);
}

}  // namespace sw::testing
#endif
