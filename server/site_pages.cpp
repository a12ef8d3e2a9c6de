#include "server/site_pages.h"

#include <charconv>

#include "program_version.h"
#include "server/html_text.h"
#include "server/site_text.h"
#include "server/site_texts.h"

namespace compare {
namespace {

constexpr std::string_view kProduct = "Morvandel.Gauge";

struct PageEntry {
  std::string_view seite;
  std::string_view query;  // the address after "?"
  std::string_view title;
  std::string_view titleGerman;
  const std::string_view* text;  // null for the result list
  bool germanText = false;
  // Which navigation lists it: both languages, or only the one it is in.
  enum class Nav { Both, English, German } nav = Nav::Both;
};

constexpr PageEntry kPages[] = {
    {kProgramPage, "seite=Freeware/Morvandel.Gauge", "Program", "Programm", &site_texts::program},
    {"faq-Morvandel.Gauge", "seite=faq-Morvandel.Gauge&faq=0", "Questions and answers",
     "Fragen und Antworten", &site_texts::faq},
    {"Freeware/Morvandel.Gauge/History", "seite=Freeware/Morvandel.Gauge/History", "History",
     "Versionsgeschichte", &site_texts::history},
    {"Freeware/Morvandel.Gauge/Thanks", "seite=Freeware/Morvandel.Gauge/Thanks", "Thanks",
     "Thanks (English)", &site_texts::thanks, false, PageEntry::Nav::English},
    {"Freeware/Morvandel.Gauge/Danke", "seite=Freeware/Morvandel.Gauge/Danke", "Danke (Deutsch)",
     "Danke", &site_texts::danke, true, PageEntry::Nav::German},
    {"PayPal", "seite=PayPal&Program=Morvandel.Gauge", "Free of charge", "Kostenlos",
     &site_texts::free},
    {kResultListPage, "seite=MorvandelGauge", "Results", "Ergebnisse", nullptr},
};

bool IsGerman(std::string_view prefix) { return prefix == "/de"; }

std::string PageAddress(const PageEntry& page, std::string_view prefix) {
  return std::string(prefix) + "/?" + std::string(page.query);
}

std::string_view TitleOf(const PageEntry& page, std::string_view prefix) {
  return IsGerman(prefix) ? page.titleGerman : page.title;
}

std::string Navigation(std::string_view prefix, const PageEntry* current) {
  const bool german = IsGerman(prefix);
  std::string nav = "<nav class=\"site\">";
  for (const PageEntry& page : kPages) {
    if (page.nav == (german ? PageEntry::Nav::English : PageEntry::Nav::German)) continue;
    nav += "<a href=\"" + HtmlEscape(PageAddress(page, prefix)) + "\"";
    if (&page == current) nav += " aria-current=\"page\"";
    nav += ">" + HtmlEscape(TitleOf(page, prefix)) + "</a>";
  }
  return nav + "</nav>\n";
}

std::string Footer(std::string_view prefix) {
  return std::string("<footer>") + std::string(kProduct) + " " + std::string(mg::kProgramVersion) +
         (IsGerman(prefix) ? " \u00b7 kostenlos" : " \u00b7 free of charge") + "</footer>\n";
}

std::string WithVersion(std::string_view text) {
  constexpr std::string_view kMark = "{version}";
  std::string out(text);
  for (size_t at = out.find(kMark); at != std::string::npos; at = out.find(kMark, at))
    out.replace(at, kMark.size(), mg::kProgramVersion);
  return out;
}

// A list of the page's "##" sections, linking to their anchors.
std::string Contents(const SiteText& text, std::string_view currentId) {
  std::string html = "<ol class=\"contents\">\n";
  for (const SiteSection& section : text.sections) {
    if (section.id.empty()) continue;
    html += "<li";
    if (section.id == currentId) html += " class=\"current\"";
    html += "><a href=\"#" + HtmlEscape(section.id) + "\">" + HtmlEscape(section.heading) +
            "</a></li>\n";
  }
  return html + "</ol>\n";
}

std::string SiteDocument(std::string_view prefix, const PageEntry* current,
                         std::string_view heading, std::string_view mainLanguage,
                         std::string_view main) {
  const std::string_view language = IsGerman(prefix) ? "de" : "en";
  std::string body = Navigation(prefix, current) + "<main";
  if (mainLanguage != language) body += " lang=\"" + std::string(mainLanguage) + "\"";
  body += ">\n<h1>" + HtmlEscape(heading) + "</h1>\n";
  body += main;
  body += "</main>\n" + Footer(prefix);
  const std::string title = heading.starts_with(kProduct)
                                ? std::string(heading)
                                : std::string(kProduct) + " \u2013 " + std::string(heading);
  return HtmlDocument(title, body, language);
}

std::string PageList(std::string_view prefix) {
  std::string html = "<ul class=\"pages\">\n";
  for (const PageEntry& page : kPages)
    html += "<li><a href=\"" + HtmlEscape(PageAddress(page, prefix)) + "\">" +
            HtmlEscape(TitleOf(page, prefix)) + "</a></li>\n";
  return html + "</ul>\n";
}

std::string NotFound(std::string_view seite, std::string_view prefix) {
  const bool german = IsGerman(prefix);
  const std::string name = HtmlEscape(seite);
  std::string main =
      german ? "<p>Eine Seite \u201e" + name + "\u201c gibt es hier nicht. " +
                   "Diese Seiten gibt es:</p>\n"
             : "<p>There is no page \u201c" + name + "\u201d here. " + "These pages exist:</p>\n";
  main += PageList(prefix);
  return SiteDocument(prefix, nullptr, german ? "Seite nicht gefunden" : "Page not found",
                      german ? "de" : "en", main);
}

std::string ContentPage(const PageEntry& page, const FormFields& query, std::string_view prefix) {
  // "faq=N" marks question N, the section with the id "faqN".
  std::string currentId;
  if (const std::optional<std::string_view> faq = FindFormField(query, "faq")) {
    unsigned number = 0;
    const auto [end, ec] = std::from_chars(faq->data(), faq->data() + faq->size(), number);
    if (ec == std::errc() && end == faq->data() + faq->size())
      currentId = "faq" + std::to_string(number);
  }
  const SiteText text = RenderSiteText(WithVersion(*page.text), prefix, currentId);
  std::string heading(TitleOf(page, prefix));
  if (page.seite == kProgramPage)
    heading = std::string(kProduct) + " " + std::string(mg::kProgramVersion);
  std::string main;
  if (text.sections.size() > 1 && !text.sections.front().id.empty())
    main += Contents(text, currentId);
  main += text.html;
  return SiteDocument(prefix, &page, heading, page.germanText ? "de" : "en", main);
}

}  // namespace

std::optional<std::string_view> SitePrefix(std::string_view path) {
  if (path == "/") return std::string_view();
  for (const std::string_view prefix : {"/de", "/eu", "/int"})
    if (path == prefix ||
        (path.size() == prefix.size() + 1 && path.starts_with(prefix) && path.back() == '/'))
      return prefix;
  return std::nullopt;
}

SitePageAnswer SitePage(std::string_view seite, const FormFields& query, std::string_view prefix) {
  for (const PageEntry& page : kPages)
    if (page.seite == seite && page.text != nullptr) return {200, ContentPage(page, query, prefix)};
  return {404, NotFound(seite, prefix)};
}

std::string PageListPage(std::string_view heading, std::string_view text) {
  return SiteDocument("", nullptr, heading, "en",
                      "<p>" + HtmlEscape(text) + "</p>\n" + PageList(""));
}

std::string SiteNavigation(std::string_view prefix) { return Navigation(prefix, nullptr); }

}  // namespace compare
