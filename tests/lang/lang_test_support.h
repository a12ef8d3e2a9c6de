// Helpers shared by the language tests.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lang/string_archive.h"

namespace lang::testing {

inline std::vector<uint8_t> Utf16Le(std::u16string_view text) {
  std::vector<uint8_t> bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<uint8_t>(c >> 8));
  }
  return bytes;
}

inline std::unique_ptr<StringArchive> ArchiveFromText(std::u16string_view text) {
  auto archive = std::make_unique<StringArchive>();
  BuildStringArchive(*archive, Utf16Le(text));
  return archive;
}

// A small archive in the stored layout: general table, two licence blocks,
// German, English, French and the closing marker.
inline constexpr std::u16string_view kSmallArchive =
    u"\uFEFF##\r\n"
    u"19=Morvandel.Gauge 2.33\r\n"
    u"25=Please translate.\\r\\nLangName=\r\n"
    u"##\r\nLicence text\r\n"
    u"##\r\nLizenztext\r\n"
    u"##=German\tDeutsch\r\n"
    u"1=Info\r\n"
    u"12=OK\r\n"
    u"##=Englisch\tEnglish\r\n"
    u"[INFO]\r\n"
    u"0=TranslatorURL=https://morvandel.example\r\n"
    u"1=Info\r\n"
    u"12=OK\r\n"
    u"28=Hint\r\n"
    u"241= Hello,\\r\\n I found #AP# .\r\n"
    u"##=French\tFran\u00e7ais\r\n"
    u"1=Infos\r\n"
    u"##\r\n";

}  // namespace lang::testing
