#include "share/mail.h"

#include <string>

#include "platform/paths.h"
#include "platform/shell.h"
#include "platform/text_codec.h"
#include "platform/zip.h"
#include "share/links.h"
#include "share/mail_text.h"
#include "share/open_link.h"

namespace share {
namespace fs = std::filesystem;
namespace {

// "#IN#" in the note text is the homepage base for the language the texts
// are in.
bool SendDraft(const MailDraft& draft, const lang::StringArchive& strings,
               std::u16string_view homepageUrl, const fs::path& program) {
  const std::string base = CurrentHomepageBase(strings.uiLanguage, homepageUrl);
  return SendMail(draft.noteText, draft.attachProgram ? program : fs::path(), draft.subject,
                  platform::Utf8ToUtf16(base));
}

}  // namespace

std::optional<fs::path> ZipForMail(const fs::path& source) {
  const fs::path folder = platform::PrivateTempSubdir("Brackenfold_tmp");
  if (folder.empty()) return std::nullopt;
  const fs::path zip = folder / (std::string(kProductName) + ".zip");
  if (!platform::ZipSingleFile(source, zip)) return std::nullopt;
  return zip;
}

bool SendMail(std::u16string_view noteText, const fs::path& attachment, std::u16string_view subject,
              std::u16string_view homepageBase) {
  fs::path attached = attachment;
  if (!attachment.empty()) {
    if (const std::optional<fs::path> zip = ZipForMail(attachment)) attached = *zip;
  }
  return platform::ComposeMail(MailtoAddress(subject, ExpandNoteText(noteText, homepageBase)),
                               attached);
}

bool SendRecommendationMail(lang::StringArchive& strings, std::u16string_view homepageUrl) {
  return SendDraft(RecommendationMail(strings), strings, homepageUrl, fs::path());
}

bool SendProgramMail(lang::StringArchive& strings, std::u16string_view homepageUrl,
                     const fs::path& program) {
  return SendDraft(ProgramMail(strings), strings, homepageUrl, program);
}

}  // namespace share
