#include "platform/replace_file_names.h"

namespace platform {

std::string ReplaceFilePrefix(std::string_view targetFileName) {
  return "." + std::string(targetFileName) + ".tmp-";
}

std::optional<long> ReplaceFileWriter(std::string_view name, std::string_view prefix) {
  if (!name.starts_with(prefix)) return std::nullopt;
  name.remove_prefix(prefix.size());
  long long numbers[3] = {};
  for (int k = 0; k < 3; ++k) {
    size_t digits = 0;
    long long value = 0;
    while (digits < name.size() && digits < 18 && name[digits] >= '0' && name[digits] <= '9') {
      value = value * 10 + (name[digits] - '0');
      ++digits;
    }
    if (digits == 0) return std::nullopt;
    numbers[k] = value;
    name.remove_prefix(digits);
    if (k < 2) {
      if (!name.starts_with('-')) return std::nullopt;
      name.remove_prefix(1);
    }
  }
  if (!name.empty() || numbers[0] <= 0 || numbers[0] > 0x7FFFFFFF) return std::nullopt;
  return static_cast<long>(numbers[0]);
}

}  // namespace platform
