#include "bench/compare_page.h"

#include <algorithm>
#include <cstdio>

#include "bench/result_codec.h"

namespace bench {
namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  });
  return out;
}

}  // namespace

std::string HtmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '&':
        out += "&amp;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string CompareActionAddress(std::string_view baseUrl, int detailLevel) {
  while (!baseUrl.empty() && baseUrl.back() == '/') baseUrl.remove_suffix(1);
  std::string address = std::string(baseUrl) + "/?" + "Quellish.Dial";
  if (detailLevel >= 0 && detailLevel <= 2) address += "/" + std::to_string(detailLevel);
  return address;
}

std::string BuildResultPage(std::string_view record, std::string_view actionAddress) {
  const std::string flattened = FlattenRecord(record);
  std::string page = "<meta charset=\"utf-8\">\n";
  page += "<table align=center><tr><td>\n";
  page += "----<br>\n";
  page += HtmlEscape(flattened);
  page += "<form id=xxx action='";
  page += HtmlEscape(actionAddress);
  page += "' method=post><br>\n";
  page += "<input type=hidden name='pelvorndata_img' value=\"";
  page += "\">\n";
  page += "<input type=hidden name='pelvorndata' value=\"";
  page += EncodeFlattenedRecord(flattened);
  page += "\">\n";
  page += "<input type=submit name='xxxx' value=\"Compare Results on Brackenfold Homepage\"><br>\n";
  page += "</form></td></tr></table>\n";
  page += "<script>\n";
  page += "el_f=document.getElementById(\"xxx\"); el_f.submit();\n";
  page += "</script>\n";
  return page;
}

std::string ScreenshotFileName(const std::tm& t) {
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d", t.tm_year + 1900, t.tm_mon + 1,
                t.tm_mday, t.tm_hour, t.tm_min);
  std::string name = std::string("Morvandel.Gauge_") + stamp + ".png";
  std::replace(name.begin(), name.end(), ':', '-');
  return name;
}

std::optional<LocalEndpoint> LocalCompareEndpoint(std::string_view url) {
  constexpr std::string_view kScheme = "http://";
  if (Lower(url.substr(0, kScheme.size())) != kScheme) return std::nullopt;
  std::string_view authority = url.substr(kScheme.size());
  authority = authority.substr(0, authority.find_first_of("/?#"));
  if (const size_t at = authority.rfind('@'); at != std::string_view::npos)
    authority.remove_prefix(at + 1);

  std::string_view host;
  std::string_view portText;
  if (!authority.empty() && authority.front() == '[') {
    const size_t close = authority.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    host = authority.substr(1, close - 1);
    const std::string_view rest = authority.substr(close + 1);
    if (!rest.empty() && rest.front() != ':') return std::nullopt;
    if (!rest.empty()) portText = rest.substr(1);
  } else {
    const size_t colon = authority.find(':');
    host = authority.substr(0, colon);
    if (colon != std::string_view::npos) portText = authority.substr(colon + 1);
  }

  LocalEndpoint endpoint;
  const std::string name = Lower(host);
  if (name == "127.0.0.1" || name == "localhost") {
    endpoint.address = "127.0.0.1";
  } else if (name == "::1") {
    endpoint.address = "::1";
  } else {
    return std::nullopt;
  }
  if (!portText.empty()) {
    if (portText.size() > 5 ||
        !std::all_of(portText.begin(), portText.end(), [](char c) { return c >= '0' && c <= '9'; }))
      return std::nullopt;
    endpoint.port = std::stoi(std::string(portText));
    if (endpoint.port < 1 || endpoint.port > 65535) return std::nullopt;
  }
  return endpoint;
}

}  // namespace bench
