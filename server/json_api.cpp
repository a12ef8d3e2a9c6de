#include "server/json_api.h"

#include <charconv>
#include <nlohmann/json.hpp>

#include "server/form_fields.h"

namespace compare {
namespace {

using nlohmann::json;

constexpr std::string_view kApiRoot = "/api/results";
constexpr std::int64_t kDefaultLimit = 100;
constexpr std::int64_t kMaxLimit = 1000;

HttpResponse Json(int status, const json& body) {
  HttpResponse response;
  response.status = status;
  response.contentType = "application/json";
  // Stored texts are valid UTF-8; a byte that is not is replaced, never
  // refused.
  response.body = body.dump(-1, ' ', false, json::error_handler_t::replace) + "\n";
  return response;
}

HttpResponse Error(int status, std::string_view why) {
  return Json(status, {{"error", std::string(why)}});
}

std::string PageAddress(std::int64_t id) { return "/?result=" + std::to_string(id); }

json ResultJson(const StoredResult& s, std::optional<Standing> standing) {
  const SubmittedResult& r = s.result;
  json out = {{"id", s.id},
              {"received", s.received},
              {"level", r.level},
              {"average_fps", r.fps},
              {"max_mega_tris", r.megaTris},
              {"width", r.width},
              {"height", r.height},
              {"antialiasing", r.msaa},
              {"gl", {{"renderer", r.renderer}, {"version", r.glVersion}, {"vendor", r.glVendor}}},
              {"cpu", r.cpu},
              {"os", r.os},
              {"version", r.version},
              {"page", PageAddress(s.id)}};
  if (standing) {
    out["position"] = standing->position;
    out["total"] = standing->total;
  }
  return out;
}

HttpResponse List(const HttpRequest& request, ResultStore& store) {
  const FormFields query = ParseFormFields(request.query);
  const std::optional<std::string_view> levelText = FindFormField(query, "level");
  const std::optional<int> level = WholeNumber<int>(levelText);
  if (levelText && (!level || *level < 0 || *level >= kLevelCount))
    return Error(400, "level is 0, 1 or 2");
  const std::optional<std::string_view> limitText = FindFormField(query, "limit");
  const std::optional<std::int64_t> limit = WholeNumber<std::int64_t>(limitText);
  if (limitText && (!limit || *limit < 1 || *limit > kMaxLimit))
    return Error(400, "limit is a number from 1 to 1000");
  const std::int64_t count = limit.value_or(kDefaultLimit);
  json results = json::array();
  if (level) {
    const std::vector<StoredResult> top = store.Top(*level, count);
    const std::int64_t total =
        top.empty() ? 0 : store.StandingOf(top.front().id).value_or(Standing{}).total;
    for (size_t i = 0; i < top.size(); ++i)
      results.push_back(ResultJson(top[i], Standing{static_cast<std::int64_t>(i + 1), total}));
  } else {
    for (const StoredResult& s : store.Latest(std::nullopt, count))
      results.push_back(ResultJson(s, std::nullopt));
  }
  return Json(200, {{"level", level ? json(*level) : json(nullptr)}, {"results", results}});
}

HttpResponse One(std::string_view idText, ResultStore& store) {
  const std::optional<std::int64_t> id = WholeNumber<std::int64_t>(idText);
  const std::optional<StoredResult> found = id ? store.Find(*id) : std::nullopt;
  if (!found) return Error(404, "no such result");
  return Json(200, ResultJson(*found, store.StandingOf(*id)));
}

bool IsJson(std::string_view contentType) {
  std::string type(contentType.substr(0, contentType.find(';')));
  std::erase_if(type, [](char c) { return c == ' ' || c == '\t'; });
  for (char& c : type) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return type.empty() || type == "application/json";
}

HttpResponse Add(const HttpRequest& request, ResultStore& store,
                 std::chrono::system_clock::time_point now) {
  if (!IsJson(request.contentType)) return Error(415, "the record is sent as application/json");
  ReadResult read = ReadJsonRecord(request.body);
  if (!read.result) return Error(400, read.refusal);
  const std::optional<std::int64_t> id = store.Add(*read.result, UtcText(now));
  const std::optional<StoredResult> stored = id ? store.Find(*id) : std::nullopt;
  if (!stored) return Error(500, "the result database refused the result; please send it later");
  HttpResponse response = Json(201, ResultJson(*stored, store.StandingOf(*id)));
  response.headers.emplace_back("Location", std::string(kApiRoot) + "/" + std::to_string(*id));
  return response;
}

// A JSON number within [0, max], or nothing.
std::optional<double> Figure(const json& record, const char* key, double max) {
  const auto it = record.find(key);
  if (it == record.end() || !it->is_number()) return std::nullopt;
  const double value = it->get<double>();
  if (!(value >= 0.0 && value <= max)) return std::nullopt;
  return value;
}

int Integer(const json& record, const char* key) {
  const auto it = record.find(key);
  if (it == record.end() || !it->is_number_integer()) return 0;
  const std::int64_t value = it->get<std::int64_t>();
  return value >= 0 && value <= 1'000'000 ? static_cast<int>(value) : 0;
}

std::string Text(const json& object, const char* key) {
  const auto it = object.find(key);
  return it != object.end() && it->is_string() ? WithoutControls(it->get<std::string>())
                                               : std::string();
}

}  // namespace

ReadResult ReadJsonRecord(std::string_view text) {
  const json record = json::parse(text, nullptr, false);
  if (!record.is_object()) return {std::nullopt, "The record is not a JSON object."};
  if (!record.contains("average_fps")) return {std::nullopt, "The record has no FPS value."};
  const std::optional<double> fps = Figure(record, "average_fps", kMaxFps);
  if (!fps) return {std::nullopt, std::string(kFpsRefusal)};
  const std::optional<double> megaTris = Figure(record, "max_mega_tris", kMaxMegaTris);
  if (record.contains("max_mega_tris") && !megaTris)
    return {std::nullopt, std::string(kMegaTrisRefusal)};
  SubmittedResult r;
  r.fps = *fps;
  r.megaTris = megaTris.value_or(0.0);
  const auto level = record.find("detail_level");
  r.level = level != record.end() && level->is_number_integer() && level->get<int>() >= 0 &&
                    level->get<int>() < kLevelCount
                ? level->get<int>()
                : kUnknownLevel;
  r.width = Integer(record, "width");
  r.height = Integer(record, "height");
  r.msaa = Integer(record, "antialiasing");
  const auto gl = record.find("gl");
  if (gl != record.end() && gl->is_object()) {
    r.renderer = Text(*gl, "renderer");
    r.glVersion = Text(*gl, "version");
    r.glVendor = Text(*gl, "vendor");
  }
  r.version = Text(record, "version");
  r.record = std::string(text);
  return {std::move(r), {}};
}

std::optional<HttpResponse> HandleApiRequest(const HttpRequest& request, ResultStore& store,
                                             std::chrono::system_clock::time_point now) {
  const std::string_view path = request.path;
  if (!path.starts_with(kApiRoot)) return std::nullopt;
  std::string_view rest = path.substr(kApiRoot.size());
  if (!rest.empty() && rest != "/" && !rest.starts_with('/')) return std::nullopt;
  if (rest == "/") rest = {};
  const bool read = request.method == "GET" || request.method == "HEAD";
  if (rest.empty() && read) return List(request, store);
  if (rest.empty() && request.method == "POST") return Add(request, store, now);
  if (!rest.empty() && read) return One(rest.substr(1), store);
  HttpResponse response = Error(405, "results are read with GET and sent with POST");
  response.headers.emplace_back("Allow", rest.empty() ? "GET, HEAD, POST" : "GET, HEAD");
  return response;
}

}  // namespace compare
