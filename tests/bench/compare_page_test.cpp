// The compare page's bytes, its action address, the screenshot's name and
// when the compare address means this machine.
#include "bench/compare_page.h"

#include <gtest/gtest.h>

namespace {

// The record's "=" shows as "-", ":" as "=", lines are joined by "&" (a "&"
// inside a value is dropped), and the shown text is escaped so that a
// renderer name cannot open markup. The posted field is
// Base64(reverse(Base64("Version=2.33&GL_RENDERER=<b>\"&A=x-y&"))).
TEST(ComparePageTest, PageBytesForASmallRecord) {
  const std::string record = "Version:2.33\nGL_RENDERER:<b>&\"\nA:x=y\n";
  EXPECT_EQ(bench::BuildResultPage(record, "http://127.0.0.1:8723/?Quellish.Dial/1"),
            "<meta charset=\"utf-8\">\n"
            "<table align=center><tr><td>\n"
            "----<br>\n"
            "Version=2.33&amp;GL_RENDERER=&lt;b&gt;&quot;&amp;A=x-y&amp;"
            "<form id=xxx action='http://127.0.0.1:8723/?Quellish.Dial/1' method=post><br>\n"
            "<input type=hidden name='pelvorndata_img' value=\"\">\n"
            "<input type=hidden name='pelvorndata' "
            "value=\"bWtYTDQxVFFtSWlQaXhUUFNWa1VGUmtURkoxWE1ka0p6TWpMeTBqYnZsMmN5Vm1W\">\n"
            "<input type=submit name='xxxx' value=\"Compare Results on Brackenfold Homepage\">"
            "<br>\n"
            "</form></td></tr></table>\n"
            "<script>\n"
            "el_f=document.getElementById(\"xxx\"); el_f.submit();\n"
            "</script>\n");
}

TEST(ComparePageTest, ActionAddressCarriesTheDetailLevel) {
  const struct {
    const char* base;
    int level;
    const char* address;
  } cases[] = {{"http://127.0.0.1:8723", 0, "http://127.0.0.1:8723/?Quellish.Dial/0"},
               {"http://127.0.0.1:8723", 1, "http://127.0.0.1:8723/?Quellish.Dial/1"},
               {"http://127.0.0.1:8723/", 2, "http://127.0.0.1:8723/?Quellish.Dial/2"},
               {"https://example.org", 7, "https://example.org/?Quellish.Dial"},
               {"https://example.org", -1, "https://example.org/?Quellish.Dial"}};
  for (const auto& c : cases)
    EXPECT_EQ(bench::CompareActionAddress(c.base, c.level), c.address) << c.level;
}

TEST(ComparePageTest, AnAddressWithQuotesCannotLeaveTheAttribute) {
  const std::string page = bench::BuildResultPage("A:1\n", "http://x/'><script>");
  EXPECT_NE(page.find("action='http://x/&#39;&gt;&lt;script&gt;' method=post>"), std::string::npos);
}

TEST(ComparePageTest, ScreenshotNameUsesLocalDateAndMinute) {
  std::tm t{};
  t.tm_year = 125;
  t.tm_mon = 2;
  t.tm_mday = 1;
  t.tm_hour = 14;
  t.tm_min = 5;
  t.tm_sec = 59;
  EXPECT_EQ(bench::ScreenshotFileName(t), "Morvandel.Gauge_2025-03-01 14-05.png");
}

TEST(ComparePageTest, LocalEndpointsAreHttpToThisMachine) {
  const struct {
    const char* url;
    const char* address;  // null: not this machine
    int port;
  } cases[] = {{"http://127.0.0.1:8723", "127.0.0.1", 8723},
               {"HTTP://LocalHost:9000/results", "127.0.0.1", 9000},
               {"http://localhost", "127.0.0.1", 80},
               {"http://[::1]:8723/", "::1", 8723},
               {"http://user@127.0.0.1:81", "127.0.0.1", 81},
               {"https://127.0.0.1:8723", nullptr, 0},
               {"http://example.org:8723", nullptr, 0},
               {"http://127.0.0.1:0", nullptr, 0},
               {"http://127.0.0.1:70000", nullptr, 0},
               {"http://127.0.0.1:80x", nullptr, 0},
               {"http://[::1", nullptr, 0},
               {"", nullptr, 0}};
  for (const auto& c : cases) {
    const auto endpoint = bench::LocalCompareEndpoint(c.url);
    ASSERT_EQ(endpoint.has_value(), c.address != nullptr) << c.url;
    if (!endpoint) continue;
    EXPECT_EQ(endpoint->address, c.address) << c.url;
    EXPECT_EQ(endpoint->port, c.port) << c.url;
  }
}

}  // namespace
