// The mail commands of the menu: recommending the program and sending it,
// zipped, through the desktop's mail composer. The user adds the
// recipients there.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "lang/string_archive.h"

namespace share {

// Zips `source` into <private temporary folder>/Brackenfold_tmp/
// Morvandel.Gauge.zip (the folder is created), replacing an older zip only
// once the new one is complete. The zip's path, or nothing on failure.
std::optional<std::filesystem::path> ZipForMail(const std::filesystem::path& source);

// Opens the mail composer with `subject` as it is and `noteText` with its
// escapes and placeholders replaced (ExpandNoteText). A non-empty
// `attachment` is zipped first (ZipForMail); when zipping fails the file
// itself is attached. False when the composer cannot be opened.
bool SendMail(std::u16string_view noteText, const std::filesystem::path& attachment,
              std::u16string_view subject, std::u16string_view homepageBase);

// "EMail1": the recommendation, without attachment.
bool SendRecommendationMail(lang::StringArchive& strings, std::u16string_view homepageUrl);

// "EMail2": the program file `program` (the running executable) zipped and
// attached.
bool SendProgramMail(lang::StringArchive& strings, std::u16string_view homepageUrl,
                     const std::filesystem::path& program);

}  // namespace share
