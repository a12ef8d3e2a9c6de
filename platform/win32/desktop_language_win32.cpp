// The desktop's language on Windows is the user's interface language, which
// the system already gives as a language id.
#include <windows.h>

#include "platform/desktop_language.h"

namespace platform {

uint16_t UserDefaultLanguageId() { return GetUserDefaultUILanguage(); }

}  // namespace platform
