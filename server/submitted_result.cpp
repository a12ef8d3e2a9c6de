#include "server/submitted_result.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <type_traits>

#include "platform/text_codec.h"

namespace compare {
namespace {

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// The whole value as a number, in the same notation in every locale.
template <typename T>
std::optional<T> ParseNumber(std::optional<std::string_view> value) {
  if (!value) return std::nullopt;
  const std::string_view text = Trimmed(*value);
  T number{};
  const char* end = text.data() + text.size();
  const auto [stop, ec] = std::from_chars(text.data(), end, number);
  if (text.empty() || ec != std::errc() || stop != end) return std::nullopt;
  if constexpr (std::is_floating_point_v<T>) {
    if (!std::isfinite(number)) return std::nullopt;
  }
  return number;
}

std::string Text(const RecordFields& fields, std::string_view key) {
  const std::optional<std::string_view> value = FindField(fields, key);
  return value ? WithoutControls(platform::Utf16ToUtf8(platform::AnsiToUtf16(*value)))
               : std::string();
}

}  // namespace

std::string WithoutControls(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if (byte == '\t') {
      out += ' ';
    } else if (byte < 0x20 || byte == 0x7F) {
      continue;
    } else if (byte == 0xC2 && i + 1 < utf8.size() &&
               static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(utf8[i + 1]) <= 0x9F) {
      ++i;  // U+0080 to U+009F
    } else {
      out += utf8[i];
    }
  }
  return out;
}

RecordFields ParseFlattenedRecord(std::string_view flattened) {
  RecordFields fields;
  while (!flattened.empty()) {
    const size_t amp = flattened.find('&');
    const std::string_view pair = flattened.substr(0, amp);
    flattened.remove_prefix(amp == std::string_view::npos ? flattened.size() : amp + 1);
    if (pair.empty()) continue;
    const size_t eq = pair.find('=');
    std::string key(pair.substr(0, eq));
    std::string value(eq == std::string_view::npos ? std::string_view() : pair.substr(eq + 1));
    std::replace(value.begin(), value.end(), '=', ':');
    fields.emplace_back(std::move(key), std::move(value));
  }
  return fields;
}

std::optional<std::string_view> FindField(const RecordFields& fields, std::string_view key) {
  for (const auto& [k, v] : fields)
    if (k == key) return v;
  return std::nullopt;
}

ReadResult ReadSubmittedResult(std::string_view flattened, std::optional<int> addressLevel) {
  const RecordFields fields = ParseFlattenedRecord(flattened);
  const std::optional<std::string_view> fpsText = FindField(fields, "FPS");
  if (!fpsText) return {std::nullopt, "The record has no FPS value."};
  const std::optional<double> fps = ParseNumber<double>(fpsText);
  if (!fps || *fps < 0.0 || *fps > kMaxFps) return {std::nullopt, std::string(kFpsRefusal)};
  const std::optional<std::string_view> megaTrisText = FindField(fields, "MGTS");
  const std::optional<double> megaTris = ParseNumber<double>(megaTrisText);
  if (megaTrisText && (!megaTris || *megaTris < 0.0 || *megaTris > kMaxMegaTris))
    return {std::nullopt, std::string(kMegaTrisRefusal)};

  SubmittedResult result;
  result.fps = *fps;
  if (addressLevel) {
    result.level = *addressLevel;
  } else {
    const std::optional<int> mode = ParseNumber<int>(FindField(fields, "Mode"));
    result.level = mode && *mode >= 0 && *mode < kLevelCount ? *mode : kUnknownLevel;
  }
  result.megaTris = megaTris.value_or(0.0);
  result.width = ParseNumber<int>(FindField(fields, "ScreenW")).value_or(0);
  result.height = ParseNumber<int>(FindField(fields, "ScreenH")).value_or(0);
  result.msaa = ParseNumber<int>(FindField(fields, "MSA")).value_or(0);
  result.renderer = Text(fields, "GL_RENDERER");
  result.glVersion = Text(fields, "GL_VERSION");
  result.glVendor = Text(fields, "GL_VENDOR");
  result.cpu = Text(fields, "CPU-Name");
  result.os = Text(fields, "OS-Caption");
  if (result.os.empty()) result.os = Text(fields, "OS-Name");
  result.version = Text(fields, "Version");
  result.record = std::string(flattened);
  return {std::move(result), {}};
}

}  // namespace compare
