#include "lang/string_archive.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "lang/archive_container.h"
#include "lang/language.h"
#include "platform/fake/recording_message_box.h"
#include "tests/lang/lang_test_support.h"
#include "tools/lang-archive/archive_text.h"

namespace {

using lang::testing::ArchiveFromText;
using lang::testing::kSmallArchive;

std::u16string Text(const char16_t* text) { return text != nullptr ? text : u"(null)"; }

TEST(StringArchiveTest, CutsSectionsAndNamesLanguages) {
  auto archive = ArchiveFromText(kSmallArchive);
  ASSERT_EQ(archive->languageCount, 4);  // German, English, French, closing entry
  EXPECT_EQ(Text(archive->languageNames[0]), u"German\tDeutsch");
  EXPECT_EQ(Text(archive->languageNames[1]), u"Englisch\tEnglish");
  EXPECT_EQ(Text(archive->languageNames[2]), u"French\tFran\u00e7ais");
  EXPECT_EQ(archive->languageNames[3], nullptr);
  EXPECT_EQ(Text(archive->languageText[2][1]), u"Infos");
  EXPECT_EQ(Text(archive->languageText[1][0]), u"TranslatorURL=https://morvandel.example");
  // The English copy is the section as stored after the name line.
  EXPECT_EQ(archive->englishSection,
            u"\n[INFO]\r\n0=TranslatorURL=https://morvandel.example\r\n1=Info\r\n12=OK\r\n"
            u"28=Hint\r\n241= Hello,\\r\\n I found #AP# .\r\n");
}

TEST(StringArchiveTest, EscapesApplyOnlyToTheGeneralTable) {
  auto archive = ArchiveFromText(kSmallArchive);
  EXPECT_EQ(Text(lang::GetGeneralString(*archive, 25)), u"Please translate.\r\nLangName=");
  EXPECT_EQ(Text(archive->languageText[1][241]), u" Hello,\\r\\n I found #AP# .");
  EXPECT_EQ(Text(lang::GetGeneralString(*archive, 19)), u"Morvandel.Gauge 2.33");
  EXPECT_EQ(lang::GetGeneralString(*archive, 128), nullptr);
  EXPECT_EQ(lang::GetGeneralString(*archive, -1), nullptr);
}

TEST(StringArchiveTest, EntryLineRules) {
  auto archive = ArchiveFromText(
      u"##\r\n127=last general\r\n128=dropped\r\n\\n=escaped key\r\n##\r\n##\r\n##=A\ta\r\n"
      u"300=too large\r\n256=too large\r\n-3=negative\r\n99999999999=saturated\r\n"
      u"05=leading zero\r\n=starts with equals\r\n  7 =blank before\r\n8=a=b\r\n"
      u"no equals sign\r\n10=first\r\n10=second\r\n12=\r\n255=highest\r\n"
      u"13=no CR before the end\n14=text with a lone \r inside\r\n15=cut##16=gone\r\n17=next");
  const lang::LanguageTable& a = archive->languageText[0];
  struct Case {
    int id;
    const char16_t* text;
  } cases[] = {
      {5, u"leading zero"},
      {0, u"starts with equals"},
      {7, u"blank before"},
      {8, u"a=b"},
      {10, u"second"},
      {12, u""},
      {255, u"highest"},
      {13, u"no CR before the end"},
      {14, u"text with a lone \r inside"},
      {15, u"cut"},  // "##" ends the section even inside a line
  };
  for (const Case& c : cases) EXPECT_EQ(Text(a[c.id]), c.text) << c.id;
  int entries = 0;
  for (const char16_t* text : a) entries += text != nullptr;
  EXPECT_EQ(entries, static_cast<int>(std::size(cases)));
  // The rest after the inner "##" became a language of its own.
  EXPECT_EQ(archive->languageCount, 2);
  EXPECT_EQ(archive->languageNames[1], nullptr);
  EXPECT_EQ(Text(archive->languageText[1][17]), u"next");
  EXPECT_EQ(Text(lang::GetGeneralString(*archive, 127)), u"last general");
  EXPECT_EQ(Text(lang::GetGeneralString(*archive, 0)), u"escaped key");
}

TEST(StringArchiveTest, LookupFallsBackToEnglish) {
  auto archive = ArchiveFromText(kSmallArchive);
  struct Case {
    int language;
    int id;
    const char16_t* expected;  // null: no text
  } cases[] = {
      {0, 12, u"OK"},     // German has it
      {2, 1, u"Infos"},   // French has it
      {0, 28, u"Hint"},   // German lacks it: English
      {2, 60, nullptr},   // nobody has it
      {3, 1, u"Info"},    // the unnamed closing entry
      {4, 1, u"Info"},    // beyond the languages
      {64, 1, u"Info"},   // beyond the table
      {-1, 1, u"Info"},   //
      {1, 256, nullptr},  // ids outside 0..255 have no text
      {1, -1, nullptr},   //
  };
  for (const Case& c : cases) {
    archive->uiLanguage = c.language;
    const char16_t* text = lang::GetString(*archive, c.id);
    if (c.expected == nullptr) {
      EXPECT_EQ(text, nullptr) << c.language << "/" << c.id;
    } else {
      EXPECT_EQ(Text(text), c.expected) << c.language << "/" << c.id;
    }
  }
}

TEST(StringArchiveTest, UserTableAnswersEveryLookup) {
  auto archive = ArchiveFromText(kSmallArchive);
  archive->uiLanguage = 0;
  static char16_t own[] = u"Eigenes";
  static char16_t empty[] = u"";
  archive->user[1] = own;
  archive->user[13] = empty;
  archive->userTableActive = true;
  EXPECT_EQ(Text(lang::GetString(*archive, 1)), u"Eigenes");
  EXPECT_EQ(Text(lang::GetString(*archive, 13)), u"");         // empty counts as present
  EXPECT_EQ(Text(lang::GetString(*archive, 12)), u"str:12?");  // the archive is not asked
  EXPECT_EQ(Text(lang::GetString(*archive, 300)), u"str:300?");

  // Texts of missing ids stay valid while others are looked up: a caller may
  // hold several (e.g. two labels of one menu page).
  const char16_t* first = lang::GetString(*archive, 12);
  const char16_t* second = lang::GetString(*archive, 3000);
  EXPECT_EQ(Text(first), u"str:12?");
  EXPECT_EQ(Text(second), u"str:3000?");
  EXPECT_EQ(lang::GetString(*archive, 12), first);  // one text per id, not one per call
}

TEST(StringArchiveTest, CoverageIsTheTruncatedShareOfEnglishEntries) {
  auto archive = ArchiveFromText(kSmallArchive);
  // English has 0, 1, 12, 28, 241; German 1 and 12; French 1.
  EXPECT_EQ(archive->coverage[0], 40);
  EXPECT_EQ(archive->coverage[1], 100);
  EXPECT_EQ(archive->coverage[2], 20);
  EXPECT_EQ(archive->coverage[3], 0);
  // Without English entries there is nothing to cover, and no division by 0.
  auto noEnglish = ArchiveFromText(u"##\r\n##\r\n##\r\n##=A\ta\r\n1=x\r\n##");
  EXPECT_EQ(noEnglish->coverage[0], 0);
}

TEST(StringArchiveTest, RealArchiveHasEveryLanguage) {
  lang_archive::ArchiveSources sources;
  std::string error;
  ASSERT_TRUE(lang_archive::ReadArchiveSources(MG_LANG_SOURCE_DIR, sources, error)) << error;
  auto archive = std::make_unique<lang::StringArchive>();
  lang::BuildStringArchive(*archive, lang_archive::AssembleArchiveText(sources));

  const char16_t* names[] = {
      u"German\tDeutsch",
      u"Englisch\tEnglish",
      u"French\tFran\u00e7ais",
      u"Japanese\t\u65e5\u672c",
      u"Chinese-Traditional\t\u6b63\u9ad4\u4e2d\u6587",
      u"Italian\tItaliano",
      u"Portuguese\tPortuguese",
      u"Spanish\tEspa\u00f1ol",
      u"Korean\t\ud55c\uad6d\uc5b4",
      u"Greek\t\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac",
      u"Russian\t\u0420\u0443\u0441\u0441\u043a\u0438\u0439",
      u"Nederlands\tDutch",
      u"Polish\tPolski",
      u"Spanish-VE\tVenezuela",
      u"Bosnian\tBosanski",
      u"Simplified-Chinese\t\u4e2d\u6587(\u7b80\u4f53)",
      u"Hungarian\tMagyar",
      u"Arabic\t\u0627\u0644\u0639\u0631\u0628\u064a\u0629",
      u"Persian\t\u0641\u0627\u0631\u0633\u06cc",
  };
  ASSERT_EQ(archive->languageCount, 20);
  EXPECT_EQ(archive->languageNames[19], nullptr);
  EXPECT_EQ(lang::CountCoverage(*archive, archive->languageText[1]).english, 67);
  for (int l = 0; l < 19; ++l) {
    EXPECT_EQ(Text(archive->languageNames[l]), names[l]) << l;
    EXPECT_GE(archive->coverage[l], 95) << l;
    EXPECT_EQ(archive->languageText[l][60], nullptr) << l;
    EXPECT_EQ(archive->languageText[l][61], nullptr) << l;
  }
  for (int id = 0; id < lang::kLanguageIds; ++id) {
    const bool english = archive->languageText[1][id] != nullptr;
    EXPECT_EQ(archive->languageText[0][id] != nullptr, english && id != 28) << id;
  }
  EXPECT_EQ(Text(lang::GetGeneralString(*archive, 19)), u"Morvandel.Gauge 2.33");
  EXPECT_EQ(Text(lang::GetGeneralString(*archive, 18)), u"2.33");
  EXPECT_TRUE(
      Text(lang::GetGeneralString(*archive, 25)).ends_with(u"\r\nLangName=\r\nLangNameInEnglish="));
}

// A program file: code bytes around the container.
std::vector<uint8_t> ProgramFile(std::span<const uint8_t> container) {
  std::vector<uint8_t> file(5000, 0x90);
  file.insert(file.begin() + 3000, container.begin(), container.end());
  return file;
}

TEST(StringArchiveTest, LoadsFromTheContainerInAProgramFile) {
  const std::vector<uint8_t> container =
      lang_archive::BuildContainer(lang::testing::Utf16Le(kSmallArchive));
  auto archive = std::make_unique<lang::StringArchive>();
  ASSERT_TRUE(lang::LoadStringArchiveFromBytes(*archive, ProgramFile(container)));
  EXPECT_EQ(archive->languageCount, 4);
  EXPECT_EQ(Text(lang::GetString(*archive, 12)), u"OK");

  const std::string start = lang::ArchiveStartMarker();
  const std::string end = lang::ArchiveEndMarker();
  const std::span<const uint8_t> bytes(container);
  const std::vector<std::vector<uint8_t>> broken = {
      {container.begin() + 1, container.end()},  // start marker damaged
      {container.begin(), container.end() - 1},  // end marker damaged
      {container.begin() + static_cast<long>(start.size()), container.end()},  // no start
      // End marker before the start marker.
      [&] {
        std::vector<uint8_t> v(end.begin(), end.end());
        v.insert(v.end(), bytes.begin(), bytes.begin() + static_cast<long>(start.size()));
        return v;
      }(),
      // Stream cut short.
      [&] {
        std::vector<uint8_t> v(bytes.begin(), bytes.begin() + static_cast<long>(start.size()) + 40);
        v.insert(v.end(), end.begin(), end.end());
        return v;
      }(),
  };
  for (size_t i = 0; i < broken.size(); ++i) {
    EXPECT_FALSE(lang::LoadStringArchiveFromBytes(*archive, ProgramFile(broken[i]))) << i;
    EXPECT_EQ(Text(lang::GetString(*archive, 12)), u"OK") << "archive kept after case " << i;
  }
}

// The program file is read in pieces of 1 MiB; markers and stream may fall
// across the seams.
TEST(StringArchiveTest, LoadsFromAProgramFileOnDisk) {
  const std::vector<uint8_t> container =
      lang_archive::BuildContainer(lang::testing::Utf16Le(kSmallArchive));
  const std::string start = lang::ArchiveStartMarker();
  const std::string end = lang::ArchiveEndMarker();
  const size_t mib = 1u << 20;
  struct Case {
    size_t offset;        // where the container begins
    bool endMarkerFirst;  // a stray end marker at the file's start
    bool loads;
  } cases[] = {
      {100, false, true},
      {mib - 20, false, true},                     // start marker cut
      {mib - container.size() + 10, false, true},  // end marker cut
      {mib - start.size() - 50, false, true},      // stream cut
      {3 * mib + 7, false, true},
      {100, true, false},
  };
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("mg-lang-program-" + std::to_string(getpid()));
  for (const Case& c : cases) {
    std::vector<uint8_t> file(c.offset + container.size() + 2 * mib, 0x90);
    std::copy(container.begin(), container.end(), file.begin() + static_cast<long>(c.offset));
    if (c.endMarkerFirst) std::copy(end.begin(), end.end(), file.begin());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), static_cast<long>(file.size()));
    auto archive = std::make_unique<lang::StringArchive>();
    EXPECT_EQ(lang::LoadStringArchiveFromFile(*archive, path), c.loads) << c.offset;
    EXPECT_EQ(archive->languageCount, c.loads ? 4 : 0) << c.offset;
  }
  std::filesystem::remove(path);
  auto archive = std::make_unique<lang::StringArchive>();
  EXPECT_FALSE(lang::LoadStringArchiveFromFile(*archive, path));
}

TEST(StringArchiveTest, MissingArchiveIsReportedToTheCaller) {
  // This test program carries no archive; the program says so in the
  // user's language, which only it knows.
  platform::fake::RecordingMessageBox boxes;
  EXPECT_FALSE(lang::LoadStringArchive());
  EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
