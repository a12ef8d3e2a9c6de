// The homepage pages the program's links open: the program's page, its
// questions and answers, its history, the thanks (German and English) and
// the page saying it is free. The same pages answer under "/" and under the
// "/de", "/eu" and "/int" variants of the address; under "/de" titles and
// navigation are German.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "server/form_fields.h"

namespace compare {

// The "seite" value of the result list, which the request handler shows
// itself, and of the program's page.
inline constexpr std::string_view kResultListPage = "MorvandelGauge";
inline constexpr std::string_view kProgramPage = "Freeware/Morvandel.Gauge";

// "/" gives "", "/de" and "/de/" give "/de", likewise "/eu" and "/int";
// any other path none.
std::optional<std::string_view> SitePrefix(std::string_view path);

struct SitePageAnswer {
  int status = 200;
  std::string html;
};

// The page `seite` names; `query` holds the request's other fields (the
// FAQ's "faq=N" marks question N). A name no page has gets 404 with links
// to every page. The result list (kResultListPage) is not among them: the
// caller shows it from the store.
SitePageAnswer SitePage(std::string_view seite, const FormFields& query, std::string_view prefix);

// 404 for an address outside the site, with links to every page.
std::string PageListPage(std::string_view heading, std::string_view text);

// The site's navigation under `prefix`, for the result pages.
std::string SiteNavigation(std::string_view prefix);

}  // namespace compare
