// The site pages' texts are written in a small Markdown subset:
//
//   ## Heading {#id}   a section heading; the optional id names its anchor
//   ### Heading        a sub-heading
//   - item             a list item; indented lines below continue it
//   text               a paragraph; lines up to a blank one join
//   `code`, **strong**, [text](address)   inline; an address starting with
//                              "?" is a page of this site and gets its prefix
//
// Every character of the text is escaped; only this syntax makes markup.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace compare {

struct SiteSection {
  std::string id;  // empty when the heading names none
  std::string heading;
};

struct SiteText {
  std::string html;
  std::vector<SiteSection> sections;  // the "##" headings, in order
};

// `sitePrefix` is "", "/de", "/eu" or "/int". The heading whose id is
// `currentId` (when not empty) is marked as the one asked for.
SiteText RenderSiteText(std::string_view markdown, std::string_view sitePrefix,
                        std::string_view currentId = {});

}  // namespace compare
