#include "share/links.h"

#include <string>

namespace share {
namespace {

constexpr int kEuropeanBiasLimit = 240;  // four hours either side of UTC

bool IsSafeAddressCharacter(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte > 0x20 && byte != 0x7F;
}

}  // namespace

HomepageVariant ChooseHomepageVariant(int uiLanguage, const platform::TimeZoneFacts& zone) {
  if (uiLanguage == 0) return HomepageVariant::German;
  if (!zone.hasDaylightSaving) return HomepageVariant::International;
  const int bias = -zone.standardOffsetMinutes;
  return bias >= -kEuropeanBiasLimit && bias <= kEuropeanBiasLimit ? HomepageVariant::European
                                                                   : HomepageVariant::International;
}

std::string HomepageRoot(std::string_view configured) {
  while (!configured.empty() && configured.back() == '/') configured.remove_suffix(1);
  size_t schemeLength = 0;
  if (configured.starts_with("http://")) {
    schemeLength = 7;
  } else if (configured.starts_with("https://")) {
    schemeLength = 8;
  }
  const bool hasHost =
      schemeLength > 0 && configured.size() > schemeLength && configured[schemeLength] != '/';
  for (char c : configured) {
    if (!IsSafeAddressCharacter(c)) return std::string(kDefaultHomepageUrl);
  }
  return hasHost ? std::string(configured) : std::string(kDefaultHomepageUrl);
}

std::string HomepageBase(std::string_view root, HomepageVariant variant) {
  switch (variant) {
    case HomepageVariant::German:
      return std::string(root) + "/de";
    case HomepageVariant::European:
      return std::string(root) + "/eu";
    case HomepageVariant::International:
      break;
  }
  return std::string(root) + "/int";
}

std::string GetHomepageBase(const LinkContext& context) {
  return HomepageBase(HomepageRoot(context.homepageUrl),
                      ChooseHomepageVariant(context.uiLanguage, context.zone));
}

std::optional<std::string> LinkAddress(std::string_view command, const LinkContext& context) {
  const std::string product(kProductName);
  const std::string productPage = "/?seite=Freeware/" + product;
  if (command == "Results") {
    return HomepageBase(HomepageRoot(context.homepageUrl), HomepageVariant::European) +
           "/?seite=MorvandelGauge";
  }
  const std::string base = GetHomepageBase(context);
  if (command == "# FAQ") return base + "/?seite=faq-" + product + "&faq=0";
  if (command == "WWW" || command == "WWW1?" || command == "Homepage") return base + productPage;
  if (command == "More") return base;
  if (command == "# Donate") return base + "/?seite=PayPal&Program=" + product;
  if (command == "History") return base + productPage + "/History";
  if (command == "# THX") {
    return base + productPage + (context.uiLanguage == 0 ? "/Danke" : "/Thanks");
  }
  return std::nullopt;
}

}  // namespace share
