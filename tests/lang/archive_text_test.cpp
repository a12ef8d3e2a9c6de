#include "tools/lang-archive/archive_text.h"

#include <gtest/gtest.h>

#include <string>

#include "lang/archive_container.h"
#include "lang/language.h"
#include "tests/lang/lang_test_support.h"

namespace {

TEST(ArchiveTextTest, SplitsSourceLines) {
  struct Case {
    std::string contents;
    std::vector<std::string> lines;
  } cases[] = {
      {"1=a\n2=b\n", {"1=a", "2=b"}},
      {"1=a\r\n2=b", {"1=a", "2=b"}},
      {"\xEF\xBB\xBF"
       "1=a\n\n2=trailing blank \n",
       {"1=a", "", "2=trailing blank "}},
      {"", {}},
  };
  for (const Case& c : cases) {
    lang_archive::SourceFile file;
    std::string error;
    ASSERT_TRUE(lang_archive::SplitSourceLines(c.contents, file, error)) << c.contents;
    EXPECT_EQ(file.lines, c.lines) << c.contents;
  }
}

TEST(ArchiveTextTest, RefusesSourcesThatWouldBreakTheArchive) {
  for (const std::string contents : {"1=a##b\n", "1=\xC3\n"}) {
    lang_archive::SourceFile file{"07-test.txt", {}};
    std::string error;
    EXPECT_FALSE(lang_archive::SplitSourceLines(contents, file, error)) << contents;
    EXPECT_NE(error.find("07-test.txt"), std::string::npos) << error;
  }
  lang_archive::ArchiveSources sources;
  std::string error;
  EXPECT_FALSE(
      lang_archive::ReadArchiveSources(MG_LANG_FIXTURE_DIR "/no-name-line", sources, error));
  EXPECT_NE(error.find("00-nameless.txt"), std::string::npos) << error;
}

TEST(ArchiveTextTest, AssemblesTheStoredLayout) {
  lang_archive::ArchiveSources sources;
  sources.general.lines = {"19=Morvandel.Gauge 2.33", "25=a\\r\\nb"};
  sources.licenceEn.lines = {"Free to use."};
  sources.licenceDe.lines = {"Frei."};
  sources.languages = {{"00-a.txt", {"German\tDeutsch", "1=Info"}},
                       {"01-b.txt", {"Englisch\tEnglish", "1=Info", "6=Cancel"}}};
  const std::u16string expected =
      u"\uFEFF##\r\n19=Morvandel.Gauge 2.33\r\n25=a\\r\\nb\r\n##\r\nFree to use.\r\n"
      u"##\r\nFrei.\r\n##=German\tDeutsch\r\n1=Info\r\n##=Englisch\tEnglish\r\n1=Info\r\n"
      u"6=Cancel\r\n##\r\n";
  const std::vector<uint8_t> text = lang_archive::AssembleArchiveText(sources);
  EXPECT_EQ(text, lang::testing::Utf16Le(expected));

  // The container holds each marker once and loads back to the same tables.
  const std::vector<uint8_t> container = lang_archive::BuildContainer(text);
  EXPECT_EQ(lang::CountOccurrences(container, lang::ArchiveStartMarker()), 1u);
  EXPECT_EQ(lang::CountOccurrences(container, lang::ArchiveEndMarker()), 1u);
  auto archive = std::make_unique<lang::StringArchive>();
  ASSERT_TRUE(lang::LoadStringArchiveFromBytes(*archive, container));
  EXPECT_EQ(archive->languageCount, 3);
  EXPECT_EQ(std::u16string(lang::GetString(*archive, 6)), u"Cancel");
}

}  // namespace
