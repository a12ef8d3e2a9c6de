// Small pieces of the server's HTML: escaping, numbers, the page frame.
#pragma once

#include <string>
#include <string_view>

#include "bench/compare_page.h"

namespace compare {

using bench::HtmlEscape;

// Fixed-point with a dot, whatever the locale.
std::string FormatFixed(double value, int decimals);

// At most `limit` characters of UTF-8 text, "…" marking a cut.
std::string Shortened(std::string_view utf8, size_t limit);

// A whole UTF-8 document in the server's one look: the title is escaped, the
// body is markup, `language` the document's language tag.
std::string HtmlDocument(std::string_view title, std::string_view body,
                         std::string_view language = "en");

}  // namespace compare
