#include "app/language_choice.h"

namespace app {

int UiLanguageFromLangId(uint16_t langId) {
  const int primary = langId & 0x3FF;
  const int sub = langId >> 10;
  switch (primary) {
    case 0x04:
      return sub == 2 ? 15 : 4;  // simplified, else traditional Chinese
    case 0x07:
      return 0;  // German
    case 0x08:
      return 9;  // Greek
    case 0x09:
      return 1;  // English
    case 0x0A:
      return sub == 8 ? 13 : 7;  // Spanish (Venezuela), Spanish
    case 0x0C:
      return 2;  // French
    case 0x10:
      return 5;  // Italian
    case 0x11:
      return 3;  // Japanese
    case 0x12:
      return 8;  // Korean
    case 0x13:
      return 11;  // Dutch
    case 0x15:
      return 12;  // Polish
    case 0x16:
      return 6;  // Portuguese
    case 0x19:
      return 10;  // Russian
    case 0x1A:
      return 14;  // Bosnian, Croatian, Serbian
    // The archive has these three languages too; their desktops get them
    // rather than English.
    case 0x0E:
      return 16;  // Hungarian
    case 0x01:
      return 17;  // Arabic
    case 0x29:
      return 18;  // Persian
    default:
      return 1;
  }
}

}  // namespace app
