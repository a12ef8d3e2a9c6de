#include "lang/language.h"

#include <algorithm>
#include <string>
#include <vector>

#include "lang/archive_container.h"
#include "platform/file_io.h"
#include "platform/paths.h"

namespace lang {
namespace {

constexpr size_t kReadChunk = 1u << 20;

bool Contains(std::span<const uint8_t> bytes, const std::string& marker) {
  return FindFirst(bytes, marker) < bytes.size();
}

// Reads the program file from its start chunk by chunk and collects the
// bytes from the first start marker through the end marker that follows, so
// that neither the code before the archive nor the data and debug
// information behind it are held in memory. False when the file cannot be
// read, a marker is missing or the end marker comes first.
bool ReadArchiveRegion(const std::filesystem::path& path, std::vector<uint8_t>& region) {
  const std::string start = ArchiveStartMarker();
  const std::string end = ArchiveEndMarker();
  // A marker may straddle two chunks: the last bytes of a chunk are kept.
  const size_t carry = std::max(start.size(), end.size()) - 1;
  std::vector<uint8_t> window;
  bool collecting = false;
  bool found = false;
  const auto visit = [&](std::span<const uint8_t> chunk) {
    window.insert(window.end(), chunk.begin(), chunk.end());
    if (collecting) {
      region.insert(region.end(), chunk.begin(), chunk.end());
    } else if (const auto payload = FindArchivePayload(window)) {
      // Both markers in one chunk, the usual case.
      region.assign(payload->data() - start.size(), payload->data() + payload->size() + end.size());
      found = true;
      return false;
    } else if (Contains(window, end)) {
      return false;  // an end marker before any start marker
    } else if (const size_t at = FindFirst(window, start); at < window.size()) {
      collecting = true;
      region.assign(window.begin() + static_cast<long>(at), window.end());
    }
    found = collecting && Contains(region, end);
    window.erase(window.begin(), window.end() - static_cast<long>(std::min(carry, window.size())));
    return !found;
  };
  return platform::ReadFileInChunks(path, kReadChunk, visit) == platform::ReadStatus::Ok && found;
}

}  // namespace

StringArchive& ProgramStrings() {
  static StringArchive archive;
  return archive;
}

bool LoadStringArchiveFromFile(StringArchive& archive, const std::filesystem::path& path) {
  std::vector<uint8_t> region;
  return ReadArchiveRegion(path, region) && LoadStringArchiveFromBytes(archive, region);
}

bool LoadStringArchive() {
  return LoadStringArchiveFromFile(ProgramStrings(), platform::ExecutablePath());
}

const char16_t* GetString(int id) { return GetString(ProgramStrings(), id); }

const char16_t* GetGeneralString(int id) { return GetGeneralString(ProgramStrings(), id); }

void SetUiLanguage(int language) { ProgramStrings().uiLanguage = language; }

int UiLanguage() { return ProgramStrings().uiLanguage; }

}  // namespace lang
