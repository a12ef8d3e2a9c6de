// The link commands of the menu: the homepage shown on its pages and the
// addresses opened in the browser.
#pragma once

#include <string>
#include <string_view>

#include "share/links.h"

namespace share {

// The interface language, the local time zone now, and the homepage_url
// setting.
LinkContext CurrentLinkContext(int uiLanguage, std::u16string_view homepageUrl);

// The homepage base as the menu shows it.
std::string CurrentHomepageBase(int uiLanguage, std::u16string_view homepageUrl);

// Opens the address of a link command (LinkAddress) with the desktop's
// default handler. False for any other command and when no browser could be
// started.
bool OpenLink(std::string_view command, int uiLanguage, std::u16string_view homepageUrl);

}  // namespace share
