#include "app/settings/settings_values.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace app {

int IntFromSettingText(std::u16string_view text, int fallback, int min, int max) {
  int value = text.empty() ? fallback : platform::ParseLeadingInt(text);
  if (min != -1 && max != -1) {
    value = std::min(value, max);
    value = std::max(value, min);
  }
  return value;
}

float FloatFromSettingText(std::u16string_view text) {
  const double value = platform::ParseLeadingDouble(text);
  constexpr double kMax = std::numeric_limits<float>::max();
  if (std::isfinite(value) && std::fabs(value) > kMax) {
    return value > 0 ? std::numeric_limits<float>::infinity()
                     : -std::numeric_limits<float>::infinity();
  }
  return static_cast<float>(value);
}

platform::WString FormatWindowRect(int left, int top, int right, int bottom, int showCommand) {
  using platform::FormatInt;
  return FormatInt(left) + u";" + FormatInt(top) + u";" + FormatInt(right) + u";" +
         FormatInt(bottom) + u";" + FormatInt(showCommand) + u";x,y,w,h,SW";
}

float ClampGamma(float gamma) {
  if (std::isnan(gamma)) return 1.0f;
  return std::fmax(0.5f, std::fmin(gamma, 1.5f));
}

}  // namespace app
