#pragma once
// Files of every kind for tests of what may be written, and what a folder holds afterwards.
// POSIX only.

#ifndef _WIN32
#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

namespace sw::testing {

// A UNIX socket's file, left behind by a socket that is closed again.
void makeSocket(const std::string& hostPath);

struct FileOwnership {
  mode_t mode = 0;  // permission bits only
  uid_t owner = 0;
  gid_t group = 0;
};
FileOwnership ownershipOf(const std::string& hostPath);

// A test may run with SIGINT or SIGTERM ignored (a background job); a child that must die of
// the signal gets the default action back, an installed handler stays.
void defaultWhereIgnored(int signalNumber);

}  // namespace sw::testing
#endif
