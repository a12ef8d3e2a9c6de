#include "share/open_link.h"

#include <ctime>

#include "platform/shell.h"
#include "platform/text_codec.h"

namespace share {

LinkContext CurrentLinkContext(int uiLanguage, std::u16string_view homepageUrl) {
  return {uiLanguage, platform::LocalTimeZone(std::time(nullptr)),
          platform::Utf16ToUtf8(homepageUrl)};
}

std::string CurrentHomepageBase(int uiLanguage, std::u16string_view homepageUrl) {
  return GetHomepageBase(CurrentLinkContext(uiLanguage, homepageUrl));
}

bool OpenLink(std::string_view command, int uiLanguage, std::u16string_view homepageUrl) {
  const std::optional<std::string> address =
      LinkAddress(command, CurrentLinkContext(uiLanguage, homepageUrl));
  return address && platform::OpenWithDefaultHandler(*address);
}

}  // namespace share
