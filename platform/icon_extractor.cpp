#include "platform/icon_extractor.h"

#include <cstdint>
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

// A parse touches only headers, resource tables and the chosen images, and a mapping costs
// address space rather than memory, so the size of an installer's payload does not matter.
// The cap sits where the 32-bit file offsets of ICO and PE headers end, far above installers.
constexpr std::uint64_t kMaxIconFileBytes = std::uint64_t{1} << 32;
// Smaller files are read whole: unmapping flushes the TLB, which costs more than copying a few
// pages, and a parse touches most pages of a small file anyway.
constexpr std::uint64_t kReadWholeBytes = std::uint64_t{256} << 10;

Result<files::FileBytes> iconFileBytes(const std::string& hostPath) {
  Result<std::string> whole = files::readFile(hostPath, kReadWholeBytes);
  if (whole) return files::FileBytes(std::move(whole).value());
  if (whole.status().failure() != Failure::TooLarge) return whole.status();
  return files::mapFile(hostPath, kMaxIconFileBytes);
}

}  // namespace

struct IconSource::Parsed {
  std::string hostPath;  // empty for bytes given in memory, which are never released
  mutable std::optional<files::FileBytes> bytes;
  // ICO files: the one directory. PE and NE files: the icon resources.
  std::optional<std::vector<icons::IconDirEntry>> icoDirectory;
  icons::IconResources resources;

  // The tables of the bytes, which the result keeps; nothing when the bytes hold no icons.
  static std::unique_ptr<Parsed> of(files::FileBytes fileBytes, std::string hostPath) {
    auto parsed = std::make_unique<Parsed>();
    const std::string_view view = fileBytes.bytes();
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
    if (parsed->count() == 0) return nullptr;
    parsed->hostPath = std::move(hostPath);
    parsed->bytes = std::move(fileBytes);
    return parsed;
  }

  int count() const {
    if (icoDirectory) return 1;
    return static_cast<int>(resources.groups.size());
  }

  // The bytes the tables were read from: those held, or the file's again after a release.
  // Every range is still checked against them, whatever became of the file.
  std::optional<std::string_view> currentBytes() const {
    if (!bytes) {
      Result<files::FileBytes> again = iconFileBytes(hostPath);
      if (!again) return std::nullopt;
      bytes = std::move(again).value();
    }
    return bytes->bytes();
  }

  std::vector<icons::IconDirEntry> directoryOf(const icons::ByteReader& file, int index) const {
    if (icoDirectory) return *icoDirectory;
    const auto& group = resources.groups[static_cast<std::size_t>(index)];
    if (!group) return {};
    const auto data = file.slice(*group);
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
  source.parsed_ = Parsed::of(files::FileBytes(std::move(bytes)), {});
  return source;
}

Result<IconSource> IconSource::open(const std::string& hostPath) {
  Result<files::FileBytes> bytes = iconFileBytes(hostPath);
  if (!bytes) return bytes.status();
  IconSource source;
  source.parsed_ = Parsed::of(std::move(bytes).value(), hostPath);
  return source;
}

IconSource IconSource::fromFile(const std::string& hostPath) {
  Result<IconSource> source = open(hostPath);
  if (!source) return IconSource();
  return std::move(source).value();
}

int IconSource::count() const { return parsed_ ? parsed_->count() : 0; }

QImage IconSource::extract(int index, int size) const {
  if (!parsed_ || index < 0 || index >= parsed_->count() || size < 1 || size > icons::kMaxIconDimension) {
    return QImage();
  }
  const std::optional<std::string_view> bytes = parsed_->currentBytes();
  if (!bytes) return QImage();
  const icons::ByteReader file(*bytes);
  const std::vector<icons::IconDirEntry> entries = parsed_->directoryOf(file, index);
  const int chosen = icons::chooseIconEntry(entries, size);
  if (chosen < 0) return QImage();
  const auto range = parsed_->imageOf(entries[static_cast<std::size_t>(chosen)]);
  if (!range) return QImage();
  const auto data = file.slice(*range);
  if (!data) return QImage();
  return fitImage(icons::decodeIconImage(*data), size, size);
}

void IconSource::releaseBytes() {
  if (parsed_ && !parsed_->hostPath.empty()) parsed_->bytes.reset();
}

bool IconSource::holdsBytes() const { return parsed_ && parsed_->bytes.has_value(); }

const IconSource& IconSourceCache::get(const std::string& hostPath) {
  const auto [found, added] = sources_.try_emplace(hostPath);
  Entry& entry = found->second;
  if (added) entry.source = IconSource::fromFile(hostPath);
  if (releaseLater_ != nullptr && releaseLater_ != &entry) releaseLater_->source.releaseBytes();
  releaseLater_ = nullptr;
  if (!entry.inUse && entry.source.count() > 0) {
    entry.inUse = true;
    inUse_.push_back(&entry);
  }
  lastGiven_ = &entry;
  return entry.source;
}

void IconSourceCache::releaseBytes() {
  for (Entry* entry : inUse_) {
    if (entry != lastGiven_) entry->source.releaseBytes();
    entry->inUse = false;
  }
  inUse_.clear();
  releaseLater_ = lastGiven_;
}

void IconSourceCache::clear() {
  inUse_.clear();
  lastGiven_ = releaseLater_ = nullptr;
  sources_.clear();
}

}  // namespace sw
