#include "support/seed_files.h"

#include <cstdio>
#include <fstream>

namespace sw::testing {

int writeSeedFiles(int argc, char** argv, const char* program, const SeedFiles& seeds) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", program);
    return 2;
  }
  for (const auto& [name, bytes] : seeds) {
    std::ofstream file(std::string(argv[1]) + "/" + name, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) return 1;
  }
  return 0;
}

}  // namespace sw::testing
