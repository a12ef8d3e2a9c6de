// Properties that hold for any bytes a settings file may contain; used by the
// fuzz target and replayed over its seed corpus by the normal test run.
#pragma once

#include <string_view>

namespace settings_test {

// Nothing when every property holds, otherwise the one that failed.
const char* CheckSettingsBytes(std::string_view bytes);

}  // namespace settings_test
