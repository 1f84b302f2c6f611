#include "platform/icon_choice.h"

#include <cstdlib>

namespace sw::icons {

int chooseIconEntry(const std::vector<IconDirEntry>& entries, int size) {
  int nearest = -1;
  int nearestDistance = 0;
  for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
    const IconDirEntry& entry = entries[static_cast<std::size_t>(i)];
    const int distance = std::abs(entry.width - size) + std::abs(entry.height - size);
    if (nearest < 0 || distance < nearestDistance) {
      nearest = i;
      nearestDistance = distance;
    }
  }
  if (nearest < 0) return -1;
  const int dw = std::abs(entries[static_cast<std::size_t>(nearest)].width - size);
  const int dh = std::abs(entries[static_cast<std::size_t>(nearest)].height - size);

  int chosen = -1;
  int chosenDepthGap = 0;
  for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
    const IconDirEntry& entry = entries[static_cast<std::size_t>(i)];
    if (std::abs(entry.width - size) != dw || std::abs(entry.height - size) != dh) continue;
    const int depthGap = std::abs(entry.bitCount - 32);
    if (chosen < 0 || depthGap < chosenDepthGap) {
      chosen = i;
      chosenDepthGap = depthGap;
    }
  }
  return chosen;
}

}  // namespace sw::icons
