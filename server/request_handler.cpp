#include "server/request_handler.h"

#include <time.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>
#include <string_view>

#include "bench/result_codec.h"
#include "server/form_fields.h"
#include "server/json_api.h"
#include "server/result_pages.h"
#include "server/site_pages.h"

namespace compare {
namespace {

// The ranking page shows the fastest results and those around the new one.
constexpr std::int64_t kTopRows = 10;
constexpr std::int64_t kRowsAround = 5;
constexpr std::int64_t kLatestRows = 100;

constexpr std::string_view kDialWord = "Quellish.Dial";

HttpResponse Page(int status, std::string body) {
  HttpResponse response;
  response.status = status;
  response.body = std::move(body);
  return response;
}

HttpResponse Refuse(std::string_view why) {
  return Page(400, MessagePage("The result was not accepted", why));
}

// "Quellish.Dial/1" names level 1; any other query names none.
std::optional<int> AddressLevel(std::string_view query) {
  const std::string_view first = query.substr(0, query.find('&'));
  if (first.size() != kDialWord.size() + 2 || !first.starts_with(kDialWord) ||
      first[kDialWord.size()] != '/')
    return std::nullopt;
  const char digit = first.back();
  if (digit < '0' || digit >= '0' + kLevelCount) return std::nullopt;
  return digit - '0';
}

bool IsFormEncoded(std::string_view contentType) {
  const std::string_view type = contentType.substr(0, contentType.find(';'));
  std::string lower;
  for (const char c : type)
    if (c != ' ' && c != '\t') lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  // Without a type the body is read as a form all the same.
  return lower.empty() || lower == "application/x-www-form-urlencoded";
}

HttpResponse RankingOf(std::int64_t id, ResultStore& store) {
  const std::optional<StoredResult> mine = store.Find(id);
  const std::optional<Standing> standing = mine ? store.StandingOf(id) : std::nullopt;
  if (!mine || !standing)
    return Page(404, MessagePage("No such result",
                                 "There is no stored result number " + std::to_string(id) + "."));
  std::vector<RankedRow> rows;
  std::int64_t position = 1;
  for (StoredResult& s : store.Top(mine->result.level, kTopRows))
    rows.push_back({position++, std::move(s)});
  // The rows around the result's own, after those already shown.
  std::vector<StoredResult> around = store.Around(*mine, kRowsAround, kRowsAround);
  const auto own = std::find_if(around.begin(), around.end(),
                                [id](const StoredResult& s) { return s.id == id; });
  position = standing->position - (own - around.begin());
  for (StoredResult& s : around) {
    if (position > kTopRows) rows.push_back({position, std::move(s)});
    ++position;
  }
  return Page(200, RankingPage(*mine, *standing, rows));
}

HttpResponse Submit(const HttpRequest& request, ResultStore& store,
                    std::chrono::system_clock::time_point now) {
  if (request.body.size() > kMaxBodyBytes)
    return Refuse("The request is larger than 64 KiB; a result record is much smaller.");
  if (!IsFormEncoded(request.contentType))
    return Refuse("The result is expected as form fields (application/x-www-form-urlencoded).");
  const FormFields form = ParseFormFields(request.body);
  const std::optional<std::string_view> field = FindFormField(form, "pelvorndata");
  if (!field) return Refuse("The form has no pelvorndata field.");
  // Base64 has no blanks: a "+" sent without percent-encoding arrives as one.
  std::string encoded(*field);
  std::replace(encoded.begin(), encoded.end(), ' ', '+');
  const std::optional<std::string> flattened = bench::DecodeFlattenedRecord(encoded);
  if (!flattened) return Refuse("The pelvorndata field does not decode (Base64 of Base64).");
  ReadResult read = ReadSubmittedResult(*flattened, AddressLevel(request.query));
  if (!read.result) return Refuse(read.refusal);
  const std::optional<std::int64_t> id = store.Add(*read.result, UtcText(now));
  if (!id)
    return Page(500, MessagePage("The result could not be stored",
                                 "The result database refused it; please post it again later."));
  return RankingOf(*id, store);
}

// A GET names its view by the first of the kViews fields present.
struct ViewRequest {
  std::string_view value;  // the naming field's value
  const FormFields& query;
  std::string_view sitePrefix;  // "", "/de", "/eu" or "/int"
};

HttpResponse ShowRanking(const ViewRequest& request, ResultStore& store) {
  const std::optional<std::int64_t> number = WholeNumber<std::int64_t>(request.value);
  if (!number) return Page(404, MessagePage("No such result", "A result is named by its number."));
  return RankingOf(*number, store);
}

HttpResponse ShowLatest(const FormFields& query, std::string_view sitePrefix, ResultStore& store) {
  const std::optional<int> level = WholeNumber<int>(FindFormField(query, "level"));
  return Page(200, LatestPage(store.Latest(level, kLatestRows), level, sitePrefix));
}

HttpResponse ShowSitePage(const ViewRequest& request, ResultStore& store) {
  if (request.value == kResultListPage) return ShowLatest(request.query, request.sitePrefix, store);
  SitePageAnswer answer = SitePage(request.value, request.query, request.sitePrefix);
  return Page(answer.status, std::move(answer.html));
}

// Without any of these fields: the latest results at "/", the program's page
// at the bare "/de", "/eu" and "/int" (the homepage's base address). A new
// view is one more line.
struct View {
  std::string_view field;
  HttpResponse (*show)(const ViewRequest& request, ResultStore& store);
};
constexpr View kViews[] = {
    {"seite", ShowSitePage},
    {"result", ShowRanking},
};

HttpResponse Show(const HttpRequest& request, std::string_view sitePrefix, ResultStore& store) {
  const FormFields query = ParseFormFields(request.query);
  for (const View& view : kViews)
    if (const std::optional<std::string_view> value = FindFormField(query, view.field))
      return view.show({*value, query, sitePrefix}, store);
  if (!sitePrefix.empty() && query.empty())
    return ShowSitePage({kProgramPage, query, sitePrefix}, store);
  return ShowLatest(query, sitePrefix, store);
}

}  // namespace

std::string UtcText(std::chrono::system_clock::time_point now) {
  const time_t seconds = std::chrono::system_clock::to_time_t(now);
  tm utc{};
  gmtime_r(&seconds, &utc);
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", utc.tm_year + 1900,
                utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec);
  return text;
}

HttpResponse HandleRequest(const HttpRequest& request, ResultStore& store,
                           std::chrono::system_clock::time_point now) {
  if (std::optional<HttpResponse> api = HandleApiRequest(request, store, now))
    return std::move(*api);
  const std::optional<std::string_view> sitePrefix = SitePrefix(request.path);
  if (!sitePrefix)
    return Page(404, PageListPage("Not found",
                                  "This server answers at /, /de/, /eu/ and /int/. Its pages:"));
  if (request.method == "GET" || request.method == "HEAD") return Show(request, *sitePrefix, store);
  if (request.method == "POST") return Submit(request, store, now);
  HttpResponse response =
      Page(405, MessagePage("Method not allowed", "Results are posted; pages are read with GET."));
  response.headers.emplace_back("Allow", "GET, HEAD, POST");
  return response;
}

}  // namespace compare
