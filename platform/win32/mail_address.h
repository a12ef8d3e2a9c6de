// "mailto:" addresses as the mail helpers of Windows need them: split into
// their fields for Simple MAPI, and with the path of an attachment written
// into the text where only the address reaches the mail program.
#pragma once

#include <string>
#include <string_view>

namespace platform::win32 {

// The fields of a "mailto:to?subject=...&body=..." address, percent-decoded
// (UTF-8). Field names are matched in any case; unknown fields are ignored.
struct MailtoFields {
  std::string to;
  std::string subject;
  std::string body;
};
MailtoFields ParseMailto(std::string_view mailto);

// The address with "the text so far, an empty line, the path" as its body;
// unchanged when there is no attachment.
std::string MailtoWithAttachmentNote(std::string_view mailto, std::string_view attachment);

}  // namespace platform::win32
