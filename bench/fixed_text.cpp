#include "bench/fixed_text.h"

#include <charconv>
#include <cmath>

namespace bench {

std::string FormatFixed(double value, int decimals, int width) {
  std::string text;
  if (std::isnan(value)) {
    text = std::signbit(value) ? "-nan" : "nan";
  } else if (std::isinf(value)) {
    text = value < 0 ? "-inf" : "inf";
  } else {
    char buffer[400];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    text.assign(buffer, end.ptr);
  }
  if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
  return text;
}

}  // namespace bench
