#include "platform/icon_extractor.h"

#include <optional>
#include <vector>

#include "platform/file_io.h"
#include "platform/icon_choice.h"
#include "platform/icon_decode.h"
#include "platform/icon_directory.h"
#include "platform/icon_ne.h"
#include "platform/icon_pe.h"
#include "platform/image_list.h"

namespace sw {

namespace {

// Icon files, libraries and executables worth reading are far smaller; anything larger is
// refused rather than read into memory.
constexpr std::size_t kMaxIconFileBytes = std::size_t{64} << 20;

}  // namespace

struct IconSource::Parsed {
  std::string bytes;
  // ICO files: the one directory. PE and NE files: the icon resources.
  std::optional<std::vector<icons::IconDirEntry>> icoDirectory;
  icons::IconResources resources;

  int count() const {
    if (icoDirectory) return 1;
    return static_cast<int>(resources.groups.size());
  }

  std::vector<icons::IconDirEntry> directoryOf(int index) const {
    if (icoDirectory) return *icoDirectory;
    const auto& group = resources.groups[static_cast<std::size_t>(index)];
    if (!group) return {};
    const auto data = icons::ByteReader(bytes).slice(*group);
    return data ? icons::readGroupDirectory(*data) : std::vector<icons::IconDirEntry>{};
  }

  std::optional<icons::ByteRange> imageOf(const icons::IconDirEntry& entry) const {
    if (icoDirectory) return entry.image;
    return resources.findIcon(entry.iconId);
  }
};

IconSource::IconSource() = default;
IconSource::~IconSource() = default;
IconSource::IconSource(IconSource&&) noexcept = default;
IconSource& IconSource::operator=(IconSource&&) noexcept = default;

IconSource IconSource::fromBytes(std::string bytes) {
  IconSource source;
  auto parsed = std::make_unique<Parsed>();
  parsed->bytes = std::move(bytes);
  const std::string_view view(parsed->bytes);
  // The kind is decided by the content alone.
  if (view.substr(0, 2) == "MZ") {
    if (auto pe = icons::readPeIcons(view)) {
      parsed->resources = std::move(*pe);
    } else if (auto ne = icons::readNeIcons(view)) {
      parsed->resources = std::move(*ne);
    }
  } else {
    parsed->icoDirectory = icons::readIcoDirectory(view);
  }
  if (parsed->count() > 0) source.parsed_ = std::move(parsed);
  return source;
}

IconSource IconSource::fromFile(const std::string& hostPath) {
  Result<std::string> bytes = files::readFile(hostPath, kMaxIconFileBytes);
  if (!bytes) return IconSource();
  return fromBytes(std::move(bytes).value());
}

int IconSource::count() const { return parsed_ ? parsed_->count() : 0; }

QImage IconSource::extract(int index, int size) const {
  if (!parsed_ || index < 0 || index >= parsed_->count() || size < 1 || size > icons::kMaxIconDimension) {
    return QImage();
  }
  const std::vector<icons::IconDirEntry> entries = parsed_->directoryOf(index);
  const int chosen = icons::chooseIconEntry(entries, size);
  if (chosen < 0) return QImage();
  const auto range = parsed_->imageOf(entries[static_cast<std::size_t>(chosen)]);
  if (!range) return QImage();
  const auto data = icons::ByteReader(parsed_->bytes).slice(*range);
  if (!data) return QImage();
  return fitImage(icons::decodeIconImage(*data), size, size);
}

const IconSource& IconSourceCache::get(const std::string& hostPath) {
  auto& slot = sources_[hostPath];
  if (!slot) slot = std::make_unique<IconSource>(IconSource::fromFile(hostPath));
  return *slot;
}

void IconSourceCache::clear() { sources_.clear(); }

}  // namespace sw
