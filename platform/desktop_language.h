// The desktop's language as a Windows language id (primary id in the low ten
// bits, sub-language above), read from LC_ALL, LC_MESSAGES or LANG.
#pragma once

#include <cstdint>
#include <string_view>

namespace platform {

// Maps a POSIX locale name ("de_DE.UTF-8", "zh_TW", "es_VE@euro", "C") to a
// Windows language id; unknown languages give English (United States), 0x0409.
uint16_t LanguageIdFromLocale(std::string_view locale);

// The first non-empty of LC_ALL, LC_MESSAGES, LANG, mapped as above.
uint16_t UserDefaultLanguageId();

}  // namespace platform
