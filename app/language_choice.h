// The user-interface language index for a Windows language id.
#pragma once

#include <cstdint>

namespace app {

// Primary language = id & 0x3FF, sub-language = id >> 10. Unknown languages
// give 1 (English).
int UiLanguageFromLangId(uint16_t langId);

}  // namespace app
