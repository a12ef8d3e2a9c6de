#include "server/result_pages.h"

#include <algorithm>

#include "server/html_text.h"
#include "server/site_pages.h"

namespace compare {
namespace {

constexpr std::string_view kProduct = "Morvandel.Gauge";

std::string Size(const SubmittedResult& r) {
  return std::to_string(r.width) + " x " + std::to_string(r.height);
}

std::string Antialiasing(const SubmittedResult& r) {
  return r.msaa > 0 ? "MSAA " + std::to_string(r.msaa) : std::string("off");
}

// `sitePrefix`: the address variant the page was asked under ("", "/de", ...).
std::string Navigation(std::string_view sitePrefix = "") {
  const std::string root = std::string(sitePrefix) + "/";
  std::string nav = SiteNavigation(sitePrefix) + "<nav><a href=\"" + root + "\">All results</a>";
  for (int level = 0; level < kLevelCount; ++level)
    nav +=
        "<a href=\"" + root + "?level=" + std::to_string(level) + "\">" + LevelName(level) + "</a>";
  return nav + "</nav>\n";
}

std::string ResultLink(std::int64_t id) { return "/?result=" + std::to_string(id); }

void AppendCell(std::string& html, std::string_view text, bool number = false) {
  html += number ? "<td class=\"n\">" : "<td>";
  html += HtmlEscape(text);
  html += "</td>";
}

std::string RankingTable(const std::vector<RankedRow>& rows, std::int64_t highlightId) {
  std::string html =
      "<table>\n<tr><th>Position</th><th>Average FPS</th><th>Mega-Tris</th><th>Size</th>"
      "<th>Antialiasing</th><th>Renderer</th><th>Processor</th><th>Date (UTC)</th></tr>\n";
  std::int64_t previous = 0;
  for (const RankedRow& row : rows) {
    if (row.position > previous + 1)
      html += "<tr class=\"gap\"><td colspan=\"8\">\u2026</td></tr>\n";
    previous = row.position;
    const StoredResult& s = row.stored;
    html += "<tr id=\"r" + std::to_string(s.id) + "\"";
    if (s.id == highlightId) html += " class=\"mine\"";
    html += ">";
    html += "<td class=\"n\"><a href=\"" + ResultLink(s.id) + "\">" + std::to_string(row.position) +
            "</a></td>";
    AppendCell(html, FormatFixed(s.result.fps, 2), true);
    AppendCell(html, FormatFixed(s.result.megaTris, 2), true);
    AppendCell(html, Size(s.result));
    AppendCell(html, Antialiasing(s.result));
    AppendCell(html, s.result.renderer);
    AppendCell(html, s.result.cpu);
    AppendCell(html, s.received);
    html += "</tr>\n";
  }
  return html + "</table>\n";
}

}  // namespace

std::string LevelName(int level) {
  switch (level) {
    case 0:
      return "High";
    case 1:
      return "Medium";
    case 2:
      return "Low";
    default:
      return "unknown";
  }
}

std::string FpsBarChart(const std::vector<RankedRow>& rows, std::int64_t highlightId) {
  constexpr int kWidth = 760, kLabelWidth = 300, kBarSpace = 380, kRowHeight = 22;
  double top = 0.0;
  for (const RankedRow& row : rows) top = std::max(top, row.stored.result.fps);
  const int height = static_cast<int>(rows.size()) * kRowHeight + 8;
  std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(kWidth) +
                    "\" height=\"" + std::to_string(height) + "\" viewBox=\"0 0 " +
                    std::to_string(kWidth) + " " + std::to_string(height) +
                    "\" role=\"img\" aria-label=\"Average FPS\" font-family=\"sans-serif\" "
                    "font-size=\"12\">\n";
  int y = 4;
  for (const RankedRow& row : rows) {
    const SubmittedResult& r = row.stored.result;
    const bool mine = row.stored.id == highlightId;
    const double length = top > 0.0 ? r.fps / top * kBarSpace : 0.0;
    const std::string label = "#" + std::to_string(row.position) + " " + Shortened(r.renderer, 38);
    svg += "<g><title>" + HtmlEscape(label + ": " + FormatFixed(r.fps, 2) + " FPS") + "</title>";
    svg += "<text x=\"" + std::to_string(kLabelWidth - 6) + "\" y=\"" + std::to_string(y + 15) +
           "\" text-anchor=\"end\"" + (mine ? " font-weight=\"bold\"" : "") + ">" +
           HtmlEscape(label) + "</text>";
    svg += "<rect x=\"" + std::to_string(kLabelWidth) + "\" y=\"" + std::to_string(y + 2) +
           "\" width=\"" + FormatFixed(length, 1) + "\" height=\"" +
           std::to_string(kRowHeight - 4) + "\" fill=\"" + (mine ? "#e8590c" : "#4c6ef5") + "\"/>";
    svg += "<text x=\"" + FormatFixed(kLabelWidth + length + 4, 1) + "\" y=\"" +
           std::to_string(y + 15) + "\">" + FormatFixed(r.fps, 2) + "</text></g>\n";
    y += kRowHeight;
  }
  return svg + "</svg>\n";
}

std::string RankingPage(const StoredResult& mine, const Standing& standing,
                        const std::vector<RankedRow>& rows) {
  const SubmittedResult& r = mine.result;
  const std::string level = LevelName(r.level);
  std::string body = Navigation();
  body += "<h1>" + std::string(kProduct) + " result comparison</h1>\n";
  body += "<p id=\"standing\">Position <strong>" + std::to_string(standing.position) +
          "</strong> of " + std::to_string(standing.total) +
          " at detail level <a href=\"/?level=" + std::to_string(r.level) + "\">" +
          HtmlEscape(level) + "</a>.</p>\n";
  body += "<table class=\"summary\">\n";
  const auto line = [&body](std::string_view name, std::string_view value) {
    body += "<tr><th>" + HtmlEscape(name) + "</th><td>" + HtmlEscape(value) + "</td></tr>\n";
  };
  line("Average FPS", FormatFixed(r.fps, 2));
  line("Mega-Tris", FormatFixed(r.megaTris, 2));
  line("Size", Size(r));
  line("Antialiasing", Antialiasing(r));
  line("Renderer", r.renderer);
  line("OpenGL", r.glVersion);
  line("Vendor", r.glVendor);
  line("Processor", r.cpu);
  line("Operating system", r.os);
  line("Program version", r.version);
  line("Received (UTC)", mine.received);
  body += "</table>\n<h2>Average FPS at detail level " + HtmlEscape(level) + "</h2>\n";
  body += FpsBarChart(rows, mine.id);
  body += RankingTable(rows, mine.id);
  return HtmlDocument(std::string(kProduct) + " result: position " +
                          std::to_string(standing.position) + " of " +
                          std::to_string(standing.total),
                      body);
}

std::string LatestPage(const std::vector<StoredResult>& latest, std::optional<int> level,
                       std::string_view sitePrefix) {
  // The German variant of the address gets the list in German.
  const bool german = sitePrefix == "/de";
  const auto levelName = [german](int l) {
    static constexpr const char* kGerman[] = {"Hoch", "Mittel", "Niedrig"};
    return german && l >= 0 && l < kLevelCount ? std::string(kGerman[l]) : LevelName(l);
  };
  const std::string all = german ? "Neueste Ergebnisse" : "Latest results";
  const std::string heading =
      level ? all + (german ? " der Detailstufe " : " at detail level ") + levelName(*level) : all;
  const std::string title = std::string(kProduct) + " - " + heading;
  const std::string_view language = german ? "de" : "en";
  std::string body = Navigation(sitePrefix) + "<h1>" + HtmlEscape(heading) + "</h1>\n";
  if (latest.empty()) {
    body += german ? "<p>Noch keine Ergebnisse.</p>\n" : "<p>No results yet.</p>\n";
    return HtmlDocument(title, body, language);
  }
  body += german ? "<table>\n<tr><th>Datum (UTC)</th><th>Detailstufe</th><th>Mittlere FPS</th>"
                   "<th>Mega-Tris</th><th>Gr\u00f6\u00dfe</th><th>Kantengl\u00e4ttung</th>"
                   "<th>Renderer</th><th>Prozessor</th></tr>\n"
                 : "<table>\n<tr><th>Date (UTC)</th><th>Detail level</th><th>Average FPS</th>"
                   "<th>Mega-Tris</th><th>Size</th><th>Antialiasing</th><th>Renderer</th>"
                   "<th>Processor</th></tr>\n";
  for (const StoredResult& s : latest) {
    body += "<tr id=\"r" + std::to_string(s.id) + "\">";
    body += "<td><a href=\"" + ResultLink(s.id) + "\">" + HtmlEscape(s.received) + "</a></td>";
    AppendCell(body, levelName(s.result.level));
    AppendCell(body, FormatFixed(s.result.fps, 2), true);
    AppendCell(body, FormatFixed(s.result.megaTris, 2), true);
    AppendCell(body, Size(s.result));
    AppendCell(body, german && s.result.msaa == 0 ? std::string("aus") : Antialiasing(s.result));
    AppendCell(body, s.result.renderer);
    AppendCell(body, s.result.cpu);
    body += "</tr>\n";
  }
  body += "</table>\n";
  return HtmlDocument(title, body, language);
}

std::string MessagePage(std::string_view heading, std::string_view text) {
  return HtmlDocument(heading, Navigation() + "<h1>" + HtmlEscape(heading) + "</h1>\n<p>" +
                                   HtmlEscape(text) + "</p>\n");
}

}  // namespace compare
