#include "platform/memory.h"

#include <algorithm>

namespace platform {
namespace {

constexpr std::string_view kHugePages = "glibc.malloc.hugetlb=";

}  // namespace

std::optional<std::string> TunablesWithHugePages(const char* current) {
  const std::string_view tunables = current != nullptr ? current : "";
  size_t start = 0;
  while (start <= tunables.size()) {
    const size_t end = std::min(tunables.find(':', start), tunables.size());
    if (tunables.substr(start, end - start).starts_with(kHugePages)) return std::nullopt;
    start = end + 1;
  }
  std::string result(tunables);
  if (!result.empty()) result += ':';
  return result + std::string(kHugePages) + "1";
}

bool HugePagesOnRequest(std::string_view enabledFile) {
  return enabledFile.find("[madvise]") != std::string_view::npos;
}

}  // namespace platform
