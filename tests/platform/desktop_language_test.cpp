#include "platform/desktop_language.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/env_guard.h"

namespace {

TEST(DesktopLanguageTest, LocaleNamesBecomeWindowsLanguageIds) {
  const struct {
    const char* locale;
    int primary;
    int sub;
  } cases[] = {
      {"de_DE.UTF-8", 0x07, 1},
      {"en_US.UTF-8", 0x09, 1},
      {"en_GB", 0x09, 2},
      {"zh_CN.UTF-8", 0x04, 2},
      {"zh_TW.UTF-8", 0x04, 1},
      {"zh_HK", 0x04, 3},
      {"es_VE.UTF-8", 0x0A, 8},
      {"es_ES@euro", 0x0A, 3},
      {"es_MX", 0x0A, 2},
      {"pt_BR.UTF-8", 0x16, 1},
      {"ja_JP.eucJP", 0x11, 1},
      {"bs_BA", 0x1A, 5},
      {"hu_HU", 0x0E, 1},
      {"fa_IR", 0x29, 1},
      {"ar_EG", 0x01, 1},
      {"tr_TR.UTF-8", 0x1F, 1},
      {"C", 0x09, 1},
      {"POSIX", 0x09, 1},
      {"", 0x09, 1},
  };
  for (const auto& c : cases) {
    const uint16_t id = platform::LanguageIdFromLocale(c.locale);
    EXPECT_EQ(id & 0x3FF, c.primary) << c.locale;
    EXPECT_EQ(id >> 10, c.sub) << c.locale;
  }
}

TEST(DesktopLanguageTest, LcAllWinsOverLcMessagesAndLang) {
  const test_support::EnvGuard env{"LC_ALL", "LC_MESSAGES", "LANG"};
  setenv("LC_ALL", "fr_FR.UTF-8", 1);
  setenv("LC_MESSAGES", "de_DE.UTF-8", 1);
  setenv("LANG", "it_IT.UTF-8", 1);
  EXPECT_EQ(platform::UserDefaultLanguageId() & 0x3FF, 0x0C);
  unsetenv("LC_ALL");
  EXPECT_EQ(platform::UserDefaultLanguageId() & 0x3FF, 0x07);
  unsetenv("LC_MESSAGES");
  EXPECT_EQ(platform::UserDefaultLanguageId() & 0x3FF, 0x10);
  unsetenv("LANG");
  EXPECT_EQ(platform::UserDefaultLanguageId(), 0x0409);
}

}  // namespace
