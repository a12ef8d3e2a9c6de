#include "lang/language.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "lang/archive_container.h"
#include "platform/message_box.h"
#include "platform/paths.h"

namespace lang {
namespace {

constexpr size_t kReadChunk = 1u << 20;

bool Contains(std::span<const uint8_t> bytes, const std::string& marker) {
  return FindFirst(bytes, marker) < bytes.size();
}

// Reads the program file from its start through one reused buffer and
// collects the bytes from the first start marker through the end marker
// that follows, so that neither the code before the archive nor the data and
// debug information behind it are held in memory. False when the file cannot
// be read, a marker is missing or the end marker comes first.
bool ReadArchiveRegion(const std::filesystem::path& path, std::vector<uint8_t>& region) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const std::string start = ArchiveStartMarker();
  const std::string end = ArchiveEndMarker();
  // A marker may straddle two reads: the last bytes of a read are kept.
  const size_t carry = std::max(start.size(), end.size()) - 1;
  const auto buffer = std::make_unique_for_overwrite<uint8_t[]>(carry + kReadChunk);
  size_t kept = 0;
  bool collecting = false;
  bool found = false;
  struct stat st {};
  bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  while (ok && !found) {
    const ssize_t n = read(fd, buffer.get() + kept, kReadChunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = false;
      break;
    }
    const std::span<const uint8_t> window(buffer.get(), kept + static_cast<size_t>(n));
    if (collecting) {
      region.insert(region.end(), window.begin() + static_cast<long>(kept), window.end());
    } else if (const auto payload = FindArchivePayload(window)) {
      // Both markers in one read, the usual case.
      region.assign(payload->data() - start.size(), payload->data() + payload->size() + end.size());
      break;
    } else if (Contains(window, end)) {
      ok = false;  // an end marker before any start marker
    } else if (const size_t at = FindFirst(window, start); at < window.size()) {
      collecting = true;
      region.assign(window.begin() + static_cast<long>(at), window.end());
    }
    found = collecting && Contains(region, end);
    kept = std::min(carry, window.size());
    std::memmove(buffer.get(), window.data() + window.size() - kept, kept);
  }
  close(fd);
  return ok;
}

}  // namespace

StringArchive& ProgramStrings() {
  static StringArchive archive;
  return archive;
}

bool LoadStringArchiveFromBytes(StringArchive& archive, std::span<const uint8_t> file) {
  const auto payload = FindArchivePayload(file);
  if (!payload) return false;
  std::vector<uint8_t> decoded;
  if (!DecodeArchivePayload(*payload, decoded)) return false;
  BuildStringArchive(archive, decoded);
  return true;
}

bool LoadStringArchiveFromFile(StringArchive& archive, const std::filesystem::path& path) {
  std::vector<uint8_t> region;
  return ReadArchiveRegion(path, region) && LoadStringArchiveFromBytes(archive, region);
}

bool LoadStringArchive() {
  if (LoadStringArchiveFromFile(ProgramStrings(), platform::ExecutablePath())) return true;
  platform::ShowMessageBox(u"Error! Loading language file string archive", u"Error!");
  return false;
}

const char16_t* GetString(int id) { return GetString(ProgramStrings(), id); }

const char16_t* GetGeneralString(int id) { return GetGeneralString(ProgramStrings(), id); }

void SetUiLanguage(int language) { ProgramStrings().uiLanguage = language; }

int UiLanguage() { return ProgramStrings().uiLanguage; }

}  // namespace lang
