#include <gtest/gtest.h>

#include "lang/language.h"
#include "platform/text_codec.h"
#include "server/request_handler.h"
#include "tests/support/test_files.h"

namespace compare {
namespace {

// The program's page names the version the program itself carries: general
// text 18 of the string archive linked into this test as into the program.
TEST(SiteVersionTest, ProgramPageShowsTheProgramsVersion) {
  ASSERT_TRUE(lang::LoadStringArchive());
  const char16_t* version = lang::GetGeneralString(18);
  ASSERT_NE(version, nullptr);
  const std::string expected = "Morvandel.Gauge " + platform::Utf16ToUtf8(version);

  test_support::ScratchFolder folder;
  std::string error;
  std::unique_ptr<ResultStore> store = ResultStore::Open(folder.path() / "r.sqlite", error);
  ASSERT_TRUE(store) << error;
  for (const char* path : {"/", "/de/", "/int"}) {
    const std::string query = std::string(path) == "/int" ? "" : "seite=Freeware/Morvandel.Gauge";
    const HttpResponse page = HandleRequest({"GET", path, query, "", ""}, *store, {});
    EXPECT_TRUE(page.body.find("<h1>" + expected + "</h1>") != std::string::npos) << path;
    EXPECT_TRUE(page.body.find("<title>" + expected + "</title>") != std::string::npos) << path;
  }
}

}  // namespace
}  // namespace compare
