#include <cctype>
#include <cstdlib>
#include <string>

#include "platform/desktop_language.h"

namespace platform {
namespace {

struct LanguageEntry {
  const char* language;  // ISO 639-1
  uint16_t primary;
  uint16_t defaultSub;
};

// Primary ids of the Windows language table.
constexpr LanguageEntry kLanguages[] = {
    {"ar", 0x01, 1}, {"bg", 0x02, 1}, {"ca", 0x03, 1}, {"zh", 0x04, 2}, {"cs", 0x05, 1},
    {"da", 0x06, 1}, {"de", 0x07, 1}, {"el", 0x08, 1}, {"en", 0x09, 1}, {"es", 0x0A, 3},
    {"fi", 0x0B, 1}, {"fr", 0x0C, 1}, {"he", 0x0D, 1}, {"hu", 0x0E, 1}, {"is", 0x0F, 1},
    {"it", 0x10, 1}, {"ja", 0x11, 1}, {"ko", 0x12, 1}, {"nl", 0x13, 1}, {"nb", 0x14, 1},
    {"no", 0x14, 1}, {"nn", 0x14, 2}, {"pl", 0x15, 1}, {"pt", 0x16, 2}, {"ro", 0x18, 1},
    {"ru", 0x19, 1}, {"hr", 0x1A, 1}, {"sr", 0x1A, 1}, {"bs", 0x1A, 5}, {"sk", 0x1B, 1},
    {"sq", 0x1C, 1}, {"sv", 0x1D, 1}, {"th", 0x1E, 1}, {"tr", 0x1F, 1}, {"ur", 0x20, 1},
    {"id", 0x21, 1}, {"uk", 0x22, 1}, {"be", 0x23, 1}, {"sl", 0x24, 1}, {"et", 0x25, 1},
    {"lv", 0x26, 1}, {"lt", 0x27, 1}, {"fa", 0x29, 1}, {"vi", 0x2A, 1}, {"hy", 0x2B, 1},
    {"eu", 0x2D, 1}, {"mk", 0x2F, 1}, {"af", 0x36, 1}, {"ka", 0x37, 1}, {"hi", 0x39, 1},
    {"ms", 0x3E, 1}, {"kk", 0x3F, 1}, {"sw", 0x41, 1}, {"bn", 0x45, 1}, {"ta", 0x49, 1},
};

// Sub-language ids that depend on the territory.
struct TerritoryEntry {
  const char* language;
  const char* territory;
  uint16_t sub;
};

constexpr TerritoryEntry kTerritories[] = {
    {"zh", "TW", 1},  {"zh", "CN", 2},  {"zh", "HK", 3},  {"zh", "SG", 4},  {"zh", "MO", 5},
    {"en", "US", 1},  {"en", "GB", 2},  {"en", "AU", 3},  {"en", "CA", 4},  {"en", "NZ", 5},
    {"en", "IE", 6},  {"de", "DE", 1},  {"de", "CH", 2},  {"de", "AT", 3},  {"de", "LU", 4},
    {"es", "ES", 3},  {"es", "MX", 2},  {"es", "GT", 4},  {"es", "CR", 5},  {"es", "PA", 6},
    {"es", "DO", 7},  {"es", "VE", 8},  {"es", "CO", 9},  {"es", "PE", 10}, {"es", "AR", 11},
    {"es", "EC", 12}, {"es", "CL", 13}, {"es", "UY", 14}, {"es", "PY", 15}, {"es", "BO", 16},
    {"fr", "FR", 1},  {"fr", "BE", 2},  {"fr", "CA", 3},  {"fr", "CH", 4},  {"pt", "BR", 1},
    {"pt", "PT", 2},  {"nl", "NL", 1},  {"nl", "BE", 2},  {"it", "IT", 1},  {"it", "CH", 2},
};

}  // namespace

uint16_t LanguageIdFromLocale(std::string_view locale) {
  // language[_territory][.codeset][@modifier]
  const size_t end = locale.find_first_of(".@");
  const std::string_view name = locale.substr(0, end);
  const size_t sep = name.find_first_of("_-");
  std::string language(name.substr(0, sep));
  for (char& c : language) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  std::string territory(sep == std::string_view::npos ? std::string_view() : name.substr(sep + 1));
  for (char& c : territory) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));

  for (const LanguageEntry& entry : kLanguages) {
    if (language != entry.language) continue;
    uint16_t sub = entry.defaultSub;
    for (const TerritoryEntry& t : kTerritories) {
      if (language == t.language && territory == t.territory) sub = t.sub;
    }
    return static_cast<uint16_t>(entry.primary | (sub << 10));
  }
  return 0x0409;
}

uint16_t UserDefaultLanguageId() {
  for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(var);
    if (value != nullptr && value[0] != '\0') return LanguageIdFromLocale(value);
  }
  return 0x0409;
}

}  // namespace platform
