// Icon file bytes in -> count -> extract icons at both sizes: no crash, no hang, no runaway
// memory, whatever the bytes claim.

#include <QCoreApplication>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/icon_extractor.h"

namespace {

// Enough to reach every kind of group without letting a 65535-group input take minutes.
constexpr int kMaxIndicesTried = 16;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_LOGGING_RULES", "*.debug=false;qt.*=false");
  static QCoreApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const sw::IconSource source =
      sw::IconSource::fromBytes(std::string(reinterpret_cast<const char*>(data), size));
  const int count = source.count();
  if (count < 0 || count > 65535) __builtin_trap();
  for (int i = 0; i < std::min(count, kMaxIndicesTried); ++i) {
    for (const int iconSize : {sw::kSmallIconSize, sw::kLargeIconSize}) {
      const QImage icon = source.extract(i, iconSize);
      if (!icon.isNull() && (icon.width() != iconSize || icon.height() != iconSize)) __builtin_trap();
    }
  }
  // The last index too: large files must not hide their far groups from the search.
  if (count > kMaxIndicesTried) source.extract(count - 1, sw::kSmallIconSize);
  return 0;
}
