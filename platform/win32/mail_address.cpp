#include "platform/win32/mail_address.h"

#include <vector>

#include "platform/text_codec.h"

namespace platform::win32 {
namespace {

constexpr std::string_view kScheme = "mailto:";
constexpr std::string_view kLineBreaks = "%0D%0A%0D%0A";

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The query's fields as they stand, still encoded.
std::vector<std::string_view> Fields(std::string_view query) {
  std::vector<std::string_view> fields;
  while (!query.empty()) {
    const size_t end = query.find('&');
    fields.push_back(query.substr(0, end));
    query = end == std::string_view::npos ? std::string_view() : query.substr(end + 1);
  }
  return fields;
}

}  // namespace

MailtoFields ParseMailto(std::string_view mailto) {
  MailtoFields fields;
  if (!mailto.starts_with(kScheme)) return fields;
  mailto.remove_prefix(kScheme.size());
  const size_t question = mailto.find('?');
  fields.to = PercentDecode(mailto.substr(0, question));
  if (question == std::string_view::npos) return fields;
  for (const std::string_view field : Fields(mailto.substr(question + 1))) {
    const size_t equals = field.find('=');
    const std::string_view name = field.substr(0, equals);
    const std::string value =
        equals == std::string_view::npos ? std::string() : PercentDecode(field.substr(equals + 1));
    if (SameName(name, "subject")) fields.subject = value;
    if (SameName(name, "body")) fields.body = value;
    if (SameName(name, "to")) fields.to += (fields.to.empty() ? "" : ",") + value;
  }
  return fields;
}

std::string MailtoWithAttachmentNote(std::string_view mailto, std::string_view attachment) {
  if (attachment.empty()) return std::string(mailto);
  const std::string note = PercentEncode(attachment);
  const size_t question = mailto.find('?');
  if (question == std::string_view::npos) return std::string(mailto) + "?body=" + note;
  std::string out(mailto.substr(0, question + 1));
  bool noted = false;
  for (const std::string_view field : Fields(mailto.substr(question + 1))) {
    if (out.back() != '?') out += '&';
    out += field;
    if (!noted && SameName(field.substr(0, field.find('=')), "body")) {
      if (field.find('=') == std::string_view::npos) out += '=';
      out += std::string(kLineBreaks) + note;
      noted = true;
    }
  }
  if (!noted) out += (out.back() == '?' ? "body=" : "&body=") + note;
  return out;
}

}  // namespace platform::win32
