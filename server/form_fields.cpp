#include "server/form_fields.h"

namespace compare {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '+') {
      out += ' ';
    } else if (c == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 &&
               HexDigit(text[i + 2]) >= 0) {
      out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
      i += 2;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

FormFields ParseFormFields(std::string_view encoded) {
  FormFields fields;
  while (!encoded.empty()) {
    const size_t amp = encoded.find('&');
    const std::string_view pair = encoded.substr(0, amp);
    encoded.remove_prefix(amp == std::string_view::npos ? encoded.size() : amp + 1);
    if (pair.empty()) continue;
    const size_t eq = pair.find('=');
    fields.emplace_back(
        Unescape(pair.substr(0, eq)),
        Unescape(eq == std::string_view::npos ? std::string_view() : pair.substr(eq + 1)));
  }
  return fields;
}

std::optional<std::string_view> FindFormField(const FormFields& fields, std::string_view name) {
  for (const auto& [k, v] : fields)
    if (k == name) return v;
  return std::nullopt;
}

}  // namespace compare
