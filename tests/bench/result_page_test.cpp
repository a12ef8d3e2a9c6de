// The stored result as text: the main page's line, the results page's text
// and geometry, and the record the compare command exports.
#include "bench/result_page.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/support/comma_locale.h"

namespace {

using bench::StoredResult;

const char16_t* English(int id) {
  static const std::map<int, const char16_t*> texts = {
      {15, u"Screenshot"}, {38, u"Compare"}, {40, u"Render Mode"},      {41, u"Low"},
      {42, u"Medium"},     {43, u"High"},    {50, u"Last average FPS"}, {51, u"Bench-Time"}};
  const auto it = texts.find(id);
  return it != texts.end() ? it->second : nullptr;
}

const bench::GlStrings kGl{"llvmpipe (LLVM 15.0.6, 256 bits)", "4.5 (Compatibility Profile) Mesa",
                           "Mesa"};

StoredResult ARun() {
  StoredResult r;
  r.averageFps = 59.8125f;
  r.benchTime = 61.25f;
  r.maxMegaTris = 12.5f;
  r.width = 1024;
  r.height = 768;
  r.antialiasing = 4;
  r.mode = 1;
  return r;
}

TEST(ResultPageTest, BeforeAnyRunTheLineAndPageShowZerosAndTheHighMode) {
  const StoredResult none;
  EXPECT_EQ(bench::FormatLastResultLine(none, English),
            u"Last average FPS: 0.00 // Bench-Time 0.00 sec.");
  const auto page = bench::LayoutResultsPage({0, 0, 400, 300}, none, kGl, "6.1.0", English, false);
  EXPECT_EQ(page.block.text,
            u"Last average FPS: 0.00\n Bench-Time 0.00\n"
            u"0 x 0 / MSAA 0\n"
            u"Render Mode: High\n"
            u"llvmpipe (LLVM 15.0.6, 256 bits)\nOpenGL: 4.5 (Compatibility Profile) Mesa\nMesa\n"
            u"OS: 6.1.0 x64");
}

TEST(ResultPageTest, ModeNamesCoverLevelsZeroToTwoOnly) {
  const struct {
    int mode;
    const char16_t* name;
  } cases[] = {{0, u"High"}, {1, u"Medium"}, {2, u"Low"}, {3, u""}, {-1, u""}};
  for (const auto& c : cases) EXPECT_EQ(bench::ModeName(c.mode, English), c.name) << c.mode;
}

// t = trunc(300 x 0.23) = 69: the block is 207 high, each button's bottom
// is trunc(top + 69 x 0.65) = trunc(top + 44.85) = top + 44.
TEST(ResultPageTest, ButtonsFollowTheBlockAndCompareNeedsAFreshResult) {
  const platform::Rect area{10, 20, 410, 320};
  const auto fresh = bench::LayoutResultsPage(area, ARun(), kGl, "6.1.0", English, true);
  EXPECT_EQ(fresh.block.rect, (platform::Rect{10, 20, 410, 227}));
  EXPECT_TRUE(fresh.block.centred && fresh.block.wrapped && fresh.block.outlined);
  ASSERT_EQ(fresh.buttons.size(), 2u);
  EXPECT_EQ(fresh.buttons[0].rect, (platform::Rect{10, 227, 410, 271}));
  EXPECT_EQ(fresh.buttons[0].text, u">>>>> [ ... Compare ] <<<<<");
  EXPECT_EQ(fresh.buttons[0].action, bench::ResultsAction::Compare);
  EXPECT_EQ(fresh.buttons[1].rect, (platform::Rect{10, 271, 410, 315}));
  EXPECT_EQ(fresh.buttons[1].text, u">>>>> [ ... Screenshot ] <<<<<");
  EXPECT_EQ(fresh.buttons[1].action, bench::ResultsAction::Screenshot);

  const auto restarted = bench::LayoutResultsPage(area, ARun(), kGl, "6.1.0", English, false);
  ASSERT_EQ(restarted.buttons.size(), 1u);
  EXPECT_EQ(restarted.buttons[0].action, bench::ResultsAction::Screenshot);
  EXPECT_EQ(restarted.buttons[0].rect, (platform::Rect{10, 227, 410, 271}));
}

// The record writes the FPS with six decimals where the page shows two,
// and neither changes under a locale with a decimal comma.
TEST(ResultPageTest, RecordIsExactInEveryLocale) {
  const test_support::CommaLocale locale;
  MG_REQUIRE_INSTALLED(locale.active(), "a locale with a decimal comma (package locales)");
  bench::RecordContext context;
  context.sampleCount = 4;
  context.gl = kGl;
  context.osVersion = "6.1.0";
  context.version = "2.33";
  context.systemText = "\nOS-Name:Debian\n\nMemory:0\n";
  EXPECT_EQ(bench::BuildResultRecord(ARun(), context),
            "MSA:4\nMode:1\nFPS:59.812500\nScreenW:1024\nScreenH:768\n"
            "GL_VERSION:4.5 (Compatibility Profile) Mesa\n"
            "GL_RENDERER:llvmpipe (LLVM 15.0.6, 256 bits)\nGL_VENDOR:Mesa\nENDE:ENDE\n"
            "MGTS:12.500000\n"
            "\n\nOSVer:6.1.0\nBit:64\nVersion:2.33\n"
            "\nOS-Name:Debian\n\nMemory:0\n");
  EXPECT_EQ(bench::FormatLastResultLine(ARun(), English),
            u"Last average FPS: 59.81 // Bench-Time 61.25 sec.");
}

}  // namespace
