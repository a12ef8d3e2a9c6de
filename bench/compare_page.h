// The compare page: a small HTML page that shows the flattened result record
// and posts its encoded form to the comparison address at once; the file
// names of that page and of screenshots; and where the comparison server of
// this machine listens when the address points here.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace bench {

inline constexpr std::string_view kResultPageFileName = "Morvandel.Gauge----------.htm";
inline constexpr std::string_view kDefaultCompareUrl = "http://127.0.0.1:8723";

// "<", ">", "&", '"' and "'" as character references.
std::string HtmlEscape(std::string_view text);

// The base address (trailing "/" dropped), "/?Quellish.Dial", and "/0", "/1"
// or "/2" for detail levels 0 to 2; no suffix for other levels.
std::string CompareActionAddress(std::string_view baseUrl, int detailLevel);

// The page's bytes (UTF-8): the encoding declaration, then the table with
// the flattened record (escaped), the form posting `pelvorndata` (the
// encoded record) and an empty `pelvorndata_img` to the action address, and
// the script that submits it.
std::string BuildResultPage(std::string_view record, std::string_view actionAddress);

// "Morvandel.Gauge_YYYY-MM-DD HH-MM.png" for a local time.
std::string ScreenshotFileName(const std::tm& localTime);

// A plain-HTTP address on this machine (127.0.0.1, localhost, [::1]).
struct LocalEndpoint {
  std::string address;  // "127.0.0.1" or "::1", as the server binds it
  int port = 80;
};

// The endpoint when `url` is http:// to this machine; nothing for other
// hosts, other schemes and malformed ports.
std::optional<LocalEndpoint> LocalCompareEndpoint(std::string_view url);

}  // namespace bench
