#include "lang/translation.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/fake/recording_message_box.h"
#include "platform/fake/recording_shell.h"
#include "platform/paths.h"
#include "platform/text_codec.h"
#include "tests/lang/lang_test_support.h"
#include "tests/support/env_guard.h"
#include "tools/lang-archive/archive_text.h"

namespace {

namespace fs = std::filesystem;
using lang::testing::ArchiveFromText;

class TranslationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("mg-lang-test-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  fs::path WriteFile(const std::string& name, const std::string& bytes) {
    const fs::path path = folder_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  static std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  fs::path folder_;
  platform::fake::RecordingMessageBox boxes_;
  platform::fake::RecordingShell shell_;
};

// English ids 1..14 with texts e1..e14.
std::unique_ptr<lang::StringArchive> FourteenEntryArchive() {
  std::u16string text = u"##\r\n##\r\n##\r\n##=German\tDeutsch\r\n##=Englisch\tEnglish\r\n";
  for (int id = 1; id <= 14; ++id) {
    text += platform::FormatInt(id) + u"=e" + platform::FormatInt(id) + u"\r\n";
  }
  return ArchiveFromText(text + u"##\r\n");
}

TEST_F(TranslationTest, ReportListsMissingIds) {
  auto archive = FourteenEntryArchive();
  // The first line of the file is an entry: the byte-order mark must not
  // hide it.
  ASSERT_TRUE(lang::LoadUserTranslation(*archive, WriteFile("two.txt",
                                                            "\xEF\xBB\xBF"
                                                            "1=u1\n2=u2\n")));
  ASSERT_EQ(boxes_.boxes().size(), 1u);
  EXPECT_EQ(boxes_.boxes()[0].caption, u"Translate");
  EXPECT_EQ(boxes_.boxes()[0].text,
            u"14 %\n\nmiss:\n3=e3\n4=e4\n5=e5\n6=e6\n7=e7\n8=e8\n9=e9\n10=e10\n11=e11\n"
            u"........\n12,13,14,");
  EXPECT_EQ(std::u16string(lang::GetString(*archive, 1)), u"u1");
  EXPECT_EQ(std::u16string(lang::GetString(*archive, 3)), u"str:3?");

  std::string complete;
  for (int id = 1; id <= 14; ++id) complete += std::to_string(id) + "=t\r\n";
  boxes_.Clear();
  ASSERT_TRUE(lang::LoadUserTranslation(*archive, WriteFile("all.txt", complete)));
  ASSERT_EQ(boxes_.boxes().size(), 1u);
  EXPECT_EQ(boxes_.boxes()[0].text, u"100 %");
  EXPECT_EQ(std::u16string(lang::GetString(*archive, 3)), u"t");
}

TEST_F(TranslationTest, UnreadableFileCountsAsEmpty) {
  auto archive = FourteenEntryArchive();
  for (const fs::path& path : {folder_ / "missing.txt", folder_}) {
    boxes_.Clear();
    ASSERT_TRUE(lang::LoadUserTranslation(*archive, path));
    ASSERT_EQ(boxes_.boxes().size(), 1u);
    EXPECT_TRUE(boxes_.boxes()[0].text.starts_with(u"0 %\n\nmiss:\n1=e1\n")) << path;
    EXPECT_EQ(std::u16string(lang::GetString(*archive, 1)), u"str:1?");
  }
}

TEST_F(TranslationTest, OversizedFileIsRefusedAndChangesNothing) {
  auto archive = FourteenEntryArchive();
  ASSERT_TRUE(lang::LoadUserTranslation(*archive, WriteFile("ok.txt", "1=kept\n")));
  std::string big = "2=big\n";
  big.resize(lang::kMaxTranslationFileSize + 1, ' ');
  boxes_.Clear();
  EXPECT_FALSE(lang::LoadUserTranslation(*archive, WriteFile("big.txt", big)));
  ASSERT_EQ(boxes_.boxes().size(), 1u);
  EXPECT_NE(boxes_.boxes()[0].text.find(u"too large"), std::u16string::npos);
  EXPECT_EQ(std::u16string(lang::GetString(*archive, 1)), u"kept");
  EXPECT_EQ(std::u16string(lang::GetString(*archive, 2)), u"str:2?");
}

TEST_F(TranslationTest, DialogLoadsTheChosenFile) {
  auto archive = FourteenEntryArchive();
  shell_.CancelDialog();
  lang::LoadTranslationFromDialog(*archive);
  EXPECT_TRUE(boxes_.boxes().empty());
  EXPECT_FALSE(archive->userTableActive);

  shell_.NoDialogProgram();
  lang::LoadTranslationFromDialog(*archive);
  ASSERT_EQ(boxes_.boxes().size(), 1u);
  EXPECT_NE(boxes_.boxes()[0].text.find(u"zenity"), std::u16string::npos);
  EXPECT_FALSE(archive->userTableActive);

  shell_.ChooseFile(WriteFile("mine.txt", "1=Mine\n"));
  lang::LoadTranslationFromDialog(*archive);
  EXPECT_EQ(boxes_.boxes().size(), 2u);
  EXPECT_EQ(std::u16string(lang::GetString(*archive, 1)), u"Mine");
  const std::vector<std::string> dialog = {"zenity", "--file-selection",
                                           "--title=Load from Unicode File"};
  ASSERT_EQ(shell_.commands().size(), 3u);
  EXPECT_EQ(shell_.commands()[2], dialog);
}

TEST_F(TranslationTest, TemplateIsWrittenAndOpened) {
  auto archive = ArchiveFromText(lang::testing::kSmallArchive);
  // A link planted under the template's name is replaced, not followed.
  const fs::path victim = WriteFile("victim.txt", "keep");
  const fs::path path = folder_ / "Morvandel.Gauge_2.33_translate.txt";
  fs::create_symlink(victim, path);

  ASSERT_TRUE(lang::ExportTranslationTemplate(*archive, folder_));
  EXPECT_TRUE(boxes_.boxes().empty());
  EXPECT_EQ(ReadFile(victim), "keep");
  EXPECT_FALSE(fs::is_symlink(path));
  const std::u16string expected =
      u"\r\nPlease don't forget! Write in e-mail subject: Strings for: Morvandel.Gauge 2.33"
      u" and Language Name i.e. : German / Deutsch \r\n\r\n"
      u"Please translate.\r\nLangName=\r\n\r\n"
      u"##=Englisch\tEnglish\r\n\r\n\r\n"
      u"\n[INFO]\r\n0=TranslatorURL=https://morvandel.example\r\n1=Info\r\n12=OK\r\n"
      u"28=Hint\r\n241= Hello,\\r\\n I found #AP# .\r\n"
      u"\r\n\r\n";
  std::vector<uint8_t> bytes = {0xFF, 0xFE};
  const std::vector<uint8_t> body = lang::testing::Utf16Le(expected);
  bytes.insert(bytes.end(), body.begin(), body.end());
  const std::string written = ReadFile(path);
  EXPECT_EQ(std::vector<uint8_t>(written.begin(), written.end()), bytes);
  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  const std::vector<std::vector<std::string>> opened = {{"xdg-open", path.string()}};
  EXPECT_EQ(shell_.commands(), opened);
}

TEST_F(TranslationTest, TemplateFailuresAreReported) {
  auto archive = ArchiveFromText(lang::testing::kSmallArchive);
  EXPECT_FALSE(lang::ExportTranslationTemplate(*archive, folder_ / "no-such-folder"));
  ASSERT_EQ(boxes_.boxes().size(), 1u);
  EXPECT_TRUE(shell_.commands().empty());  // nothing to open

  shell_.FailOpening();
  EXPECT_FALSE(lang::ExportTranslationTemplate(*archive, folder_));
  ASSERT_EQ(boxes_.boxes().size(), 2u);
  EXPECT_NE(boxes_.boxes()[1].text.find(u"Morvandel.Gauge_2.33_translate.txt"),
            std::u16string::npos);
}

// A private temporary folder that is refused (a link planted in its place)
// is named in the message, so the user knows which folder to look at.
TEST_F(TranslationTest, RefusedTemporaryFolderIsNamed) {
  auto archive = ArchiveFromText(lang::testing::kSmallArchive);
  const test_support::EnvGuard env{"TMPDIR"};
  setenv("TMPDIR", folder_.c_str(), 1);
  fs::create_directory(folder_ / "elsewhere");
  fs::create_directory_symlink(folder_ / "elsewhere", platform::PrivateTempDirPath());

  EXPECT_FALSE(lang::ExportTranslationTemplate(*archive));
  ASSERT_EQ(boxes_.boxes().size(), 1u);
  const std::u16string expected = platform::Utf8ToUtf16(
      (platform::PrivateTempDirPath() / "Morvandel.Gauge_2.33_translate.txt").string());
  EXPECT_EQ(boxes_.boxes()[0].text, u"\n" + expected);
  EXPECT_TRUE(fs::is_empty(folder_ / "elsewhere"));
  EXPECT_TRUE(shell_.commands().empty());
}

// The exported template of the real archive, loaded back untouched, covers
// every English entry.
TEST_F(TranslationTest, RealTemplateLoadsBackComplete) {
  lang_archive::ArchiveSources sources;
  std::string error;
  ASSERT_TRUE(lang_archive::ReadArchiveSources(MG_LANG_SOURCE_DIR, sources, error)) << error;
  auto archive = std::make_unique<lang::StringArchive>();
  lang::BuildStringArchive(*archive, lang_archive::AssembleArchiveText(sources));
  ASSERT_TRUE(lang::ExportTranslationTemplate(*archive, folder_));
  ASSERT_TRUE(
      lang::LoadUserTranslation(*archive, folder_ / lang::TranslationTemplateFileName(*archive)));
  ASSERT_EQ(boxes_.boxes().size(), 1u);
  EXPECT_EQ(boxes_.boxes()[0].text, u"100 %");
}

}  // namespace
