// The mails the program composes: which texts go where, and how they are
// written into the "mailto:" address handed to the desktop's mail composer.
#pragma once

#include <string>
#include <string_view>

#include "lang/string_archive.h"

namespace share {

struct MailDraft {
  std::u16string subject;   // used as it is
  std::u16string noteText;  // before ExpandNoteText
  bool attachProgram = false;
};

// "Recommend the program": subject language string 240 + " :" + product
// name, note text string 240, no attachment.
MailDraft RecommendationMail(lang::StringArchive& strings);

// "Send the program": subject string 60 + " :" + product name, note text
// string 61 (a missing string is empty text), the program attached.
MailDraft ProgramMail(lang::StringArchive& strings);

// The note text as sent: the two-character sequences backslash-r and
// backslash-n become CR and LF, "#IN#" the homepage base and "#AP#" the
// product name. One pass from left to right: inserted text is not looked at
// again.
std::u16string ExpandNoteText(std::u16string_view text, std::u16string_view homepageBase);

// "mailto:?subject=...&body=..." with both texts in UTF-8, percent-encoded.
std::string MailtoAddress(std::u16string_view subject, std::u16string_view body);

}  // namespace share
