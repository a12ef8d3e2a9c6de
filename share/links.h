// The maker's homepage and the addresses the menu's link commands open.
//
// The homepage comes in three variants (German, European, international),
// chosen afresh for every address from the interface language and the local
// time zone. Where the homepage lives is a setting (homepage_url); the
// variants add "/de", "/eu" or "/int" to it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/time_zone.h"

namespace share {

inline constexpr std::string_view kProductName = "Morvandel.Gauge";
// The comparison server on this machine answers the link pages unless the
// settings name another homepage.
inline constexpr std::string_view kDefaultHomepageUrl = "http://127.0.0.1:8723";

enum class HomepageVariant { German, European, International };

// German for the German interface (language 0). Otherwise European when the
// zone has daylight-saving time and its bias (minutes to add to local
// standard time to get UTC) lies within -240..240, international when it
// lies further out or the zone keeps one time all year.
HomepageVariant ChooseHomepageVariant(int uiLanguage, const platform::TimeZoneFacts& zone);

// The configured homepage, safe to hand to the browser: an "http://" or
// "https://" address with a host and without blanks or control characters,
// trailing slashes removed. Anything else gives kDefaultHomepageUrl.
std::string HomepageRoot(std::string_view configured);

// The root followed by "/de", "/eu" or "/int".
std::string HomepageBase(std::string_view root, HomepageVariant variant);

struct LinkContext {
  int uiLanguage = 1;
  platform::TimeZoneFacts zone;
  std::string homepageUrl{kDefaultHomepageUrl};  // the setting, UTF-8
};

std::string GetHomepageBase(const LinkContext& context);

// The address a link command opens: "# FAQ", "WWW", "WWW1?", "Homepage",
// "More", "# Donate", "History", "# THX" and "Results" (which always uses
// the European variant). Nothing for any other command.
std::optional<std::string> LinkAddress(std::string_view command, const LinkContext& context);

}  // namespace share
