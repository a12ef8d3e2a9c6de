#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "lang/archive_container.h"
#include "lang/language.h"
#include "platform/paths.h"

namespace {

std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ExpectExactlyOneArchive(const std::filesystem::path& program) {
  const std::vector<uint8_t> bytes = ReadFile(program);
  ASSERT_FALSE(bytes.empty()) << program;
  EXPECT_EQ(lang::CountOccurrences(bytes, lang::ArchiveStartMarker()), 1u) << program;
  EXPECT_EQ(lang::CountOccurrences(bytes, lang::ArchiveEndMarker()), 1u) << program;
}

TEST(EmbeddedArchiveTest, ProgramFileCarriesExactlyOneArchive) {
  ExpectExactlyOneArchive(platform::ExecutablePath());
}

TEST(EmbeddedArchiveTest, ProgramCarriesExactlyOneArchive) {
  ExpectExactlyOneArchive(MG_PROGRAM_PATH);
}

TEST(EmbeddedArchiveTest, LoadsAtStartUp) {
  ASSERT_TRUE(lang::LoadStringArchive());
  EXPECT_EQ(lang::ProgramStrings().languageCount, 20);
  lang::SetUiLanguage(0);
  EXPECT_EQ(lang::UiLanguage(), 0);
  EXPECT_EQ(std::u16string(lang::GetString(6)), u"Abbrechen");
  EXPECT_EQ(std::u16string(lang::GetString(28)),
            std::u16string(lang::ProgramStrings().languageText[1][28]));
  EXPECT_EQ(std::u16string(lang::GetGeneralString(19)), u"Morvandel.Gauge 2.33");
  lang::SetUiLanguage(1);
}

}  // namespace
