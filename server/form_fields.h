// Form fields as a browser posts them (application/x-www-form-urlencoded)
// and as a query string carries them.
#pragma once

#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace compare {

using FormFields = std::vector<std::pair<std::string, std::string>>;

// "a=1&b=x%2By+z" -> {a, 1}, {b, "x+y z"}. A "%" not followed by two hex
// digits stays as it is; empty pairs are left out.
FormFields ParseFormFields(std::string_view encoded);

// The value of the first field with this name.
std::optional<std::string_view> FindFormField(const FormFields& fields, std::string_view name);

// A field's whole value as a decimal number, or nothing.
template <typename T>
std::optional<T> WholeNumber(std::optional<std::string_view> text) {
  if (!text) return std::nullopt;
  T value{};
  const char* end = text->data() + text->size();
  const auto [stop, ec] = std::from_chars(text->data(), end, value);
  if (text->empty() || ec != std::errc() || stop != end) return std::nullopt;
  return value;
}

}  // namespace compare
