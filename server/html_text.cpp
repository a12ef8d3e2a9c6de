#include "server/html_text.h"

#include <charconv>
#include <cmath>

namespace compare {

std::string FormatFixed(double value, int decimals) {
  if (!std::isfinite(value)) return "-";
  char buffer[64];
  const auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  return ec == std::errc() ? std::string(buffer, end) : std::string("-");
}

std::string Shortened(std::string_view utf8, size_t limit) {
  size_t characters = 0;
  for (size_t i = 0; i < utf8.size(); ++i) {
    // Count only the bytes that start a character.
    if ((static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) continue;
    if (characters == limit) return std::string(utf8.substr(0, i)) + "\u2026";
    ++characters;
  }
  return std::string(utf8);
}

std::string HtmlDocument(std::string_view title, std::string_view body, std::string_view language) {
  std::string page = "<!DOCTYPE html>\n<html lang=\"" + HtmlEscape(language) + "\">\n";
  page +=
      "<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
  page += HtmlEscape(title);
  page +=
      "</title>\n<style>\n"
      "body{font-family:sans-serif;margin:1.5em auto;max-width:64em;padding:0 1em;color:#222;"
      "line-height:1.45}\n"
      "a{color:#1c4fd8}\n"
      "h1{margin:.6em 0 .4em}h2{margin-top:1.6em;border-bottom:1px solid #e3e3e3}\n"
      "nav{margin:.3em 0}\n"
      "nav.site{padding-bottom:.5em;border-bottom:2px solid #4c6ef5}\n"
      "nav.site a{font-weight:bold;text-decoration:none}\n"
      "nav a[aria-current]{color:#222}\n"
      ".current{background:#ffe8cc}\n"
      "code{background:#f2f2f2;padding:0 .25em;border-radius:3px}\n"
      "footer{margin-top:2.5em;padding-top:.5em;border-top:1px solid #ddd;color:#777;"
      "font-size:.9em}\n"
      "table{border-collapse:collapse;margin:1em 0}\n"
      "th,td{padding:.25em .6em;border-bottom:1px solid #ddd;text-align:left}\n"
      "td.n{text-align:right}\n"
      "tr.mine{background:#ffe8cc;font-weight:bold}\n"
      "tr.gap td{text-align:center;color:#888}\n"
      "nav a{margin-right:1em}\n"
      "</style>\n</head>\n<body>\n";
  page += body;
  page += "</body>\n</html>\n";
  return page;
}

}  // namespace compare
