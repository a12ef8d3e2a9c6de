#include "server/database.h"

#include <charconv>

namespace compare {

std::int64_t AsInteger(const SqlValue& value) {
  if (const auto* i = std::get_if<std::int64_t>(&value)) return *i;
  if (const auto* d = std::get_if<double>(&value)) return static_cast<std::int64_t>(*d);
  const std::string text = AsText(value);
  std::int64_t number = 0;
  std::from_chars(text.data(), text.data() + text.size(), number);
  return number;
}

double AsReal(const SqlValue& value) {
  if (const auto* d = std::get_if<double>(&value)) return *d;
  if (const auto* i = std::get_if<std::int64_t>(&value)) return static_cast<double>(*i);
  const std::string text = AsText(value);
  double number = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), number);
  return number;
}

std::string AsText(const SqlValue& value) {
  if (const auto* t = std::get_if<std::string>(&value)) return *t;
  if (const auto* b = std::get_if<SqlBlob>(&value)) return b->bytes;
  if (const auto* i = std::get_if<std::int64_t>(&value)) return std::to_string(*i);
  char text[32];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, std::get<double>(value));
  return ec == std::errc() ? std::string(text, end) : std::string();
}

}  // namespace compare
