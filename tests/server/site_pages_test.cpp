#include <gtest/gtest.h>

#include "server/request_handler.h"
#include "server/site_text.h"
#include "tests/support/test_files.h"

namespace compare {
namespace {

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::string TitleOf(const std::string& page) {
  const size_t start = page.find("<title>");
  const size_t end = page.find("</title>");
  return start < end && end != std::string::npos ? page.substr(start + 7, end - start - 7) : "";
}

class SitePagesTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    store_ = ResultStore::Open(folder_.path() / "results.sqlite", error);
    ASSERT_TRUE(store_) << error;
  }
  HttpResponse Get(const std::string& path, const std::string& query) {
    return HandleRequest({"GET", path, query, "", ""}, *store_, {});
  }

  test_support::ScratchFolder folder_;
  std::unique_ptr<ResultStore> store_;
};

// Every link address of the program's menu, under the root and each variant.
TEST_F(SitePagesTest, EveryLinkAddressAnswersUnderEveryVariant) {
  struct Case {
    const char* query;
    const char* text;  // only this page has it
    const char* title;
    const char* titleGerman;
  };
  const Case cases[] = {
      {"seite=faq-Morvandel.Gauge&faq=0", "What are FPS and Mega-Tris?", "Questions and answers",
       "Fragen und Antworten"},
      {"seite=Freeware/Morvandel.Gauge", "What it draws today", "Morvandel.Gauge 2",
       "Morvandel.Gauge 2"},
      {"seite=Freeware/Morvandel.Gauge/History", "<h3>Languages</h3>", "History",
       "Versionsgeschichte"},
      {"seite=Freeware/Morvandel.Gauge/Danke", "Herzlichen Dank", "Danke", "Danke"},
      {"seite=Freeware/Morvandel.Gauge/Thanks", "<strong>WenQuanYi</strong>", "Thanks", "Thanks"},
      {"seite=PayPal&Program=Morvandel.Gauge", "No payment is taken", "Free of charge",
       "Kostenlos"},
      {"seite=MorvandelGauge", "<p>No", "Latest results", "Neueste Ergebnisse"},
  };
  for (const char* prefix : {"", "/de", "/eu", "/int"}) {
    const bool german = std::string(prefix) == "/de";
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(prefix) + "/?" + c.query);
      const HttpResponse page = Get(std::string(prefix) + "/", c.query);
      EXPECT_EQ(page.status, 200);
      EXPECT_EQ(page.contentType, "text/html; charset=utf-8");
      EXPECT_TRUE(Contains(page.body, "<meta charset=\"utf-8\">"));
      EXPECT_TRUE(Contains(page.body, c.text));
      const std::string title = TitleOf(page.body);
      EXPECT_TRUE(title.starts_with("Morvandel.Gauge")) << title;
      EXPECT_TRUE(Contains(title, german ? c.titleGerman : c.title)) << title;
      // The navigation stays under the variant the page was opened with.
      EXPECT_TRUE(
          Contains(page.body, std::string("href=\"") + prefix + "/?seite=MorvandelGauge\""));
    }
  }
}

TEST_F(SitePagesTest, LanguageFollowsTheVariantAndThePagesText) {
  EXPECT_TRUE(Contains(Get("/de/", "seite=PayPal").body, "<html lang=\"de\">"));
  EXPECT_TRUE(Contains(Get("/de/", "seite=PayPal").body, "<main lang=\"en\">"));
  EXPECT_TRUE(Contains(Get("/de/", "seite=PayPal").body, ">Danke</a>"));
  EXPECT_TRUE(Contains(Get("/eu/", "seite=PayPal").body, "<html lang=\"en\">"));
  EXPECT_TRUE(Contains(Get("/eu/", "seite=PayPal").body, ">Thanks</a>"));
  EXPECT_TRUE(
      Contains(Get("/eu/", "seite=Freeware/Morvandel.Gauge/Danke").body, "<main lang=\"de\">"));
}

// The homepage's base address alone (the menu's "More") is the program's
// page; the server's own root keeps the result list.
TEST_F(SitePagesTest, BareAddresses) {
  for (const char* path : {"/de", "/eu", "/int", "/eu/"}) {
    const HttpResponse page = Get(path, "");
    EXPECT_EQ(page.status, 200) << path;
    EXPECT_TRUE(Contains(page.body, "What it draws today")) << path;
  }
  EXPECT_TRUE(Contains(Get("/", "").body, "Latest results"));
  EXPECT_TRUE(Contains(Get("/eu/", "level=1").body, "Latest results at detail level Medium"));
  for (const char* path : {"/en/", "/de/x", "/dex", "//", "/eu//"})
    EXPECT_EQ(Get(path, "seite=PayPal").status, 404) << path;
}

TEST_F(SitePagesTest, FaqNumberMarksItsQuestion) {
  const std::string page = Get("/", "seite=faq-Morvandel.Gauge&faq=3").body;
  EXPECT_TRUE(Contains(page, "<h2 id=\"faq3\" class=\"current\">"));
  EXPECT_TRUE(Contains(page, "<li class=\"current\"><a href=\"#faq3\">"));
  for (const char* faq : {"faq=99", "faq=-1", "faq=x", "faq="}) {
    const HttpResponse other = Get("/", std::string("seite=faq-Morvandel.Gauge&") + faq);
    EXPECT_EQ(other.status, 200) << faq;
    EXPECT_FALSE(Contains(other.body, "class=\"current\"")) << faq;
  }
}

TEST_F(SitePagesTest, UnknownPageListsThePagesThatExist) {
  for (const char* prefix : {"", "/de", "/int"}) {
    const HttpResponse page = Get(std::string(prefix) + "/", "seite=Freeware/Other");
    EXPECT_EQ(page.status, 404) << prefix;
    EXPECT_TRUE(Contains(page.body, "Freeware/Other"));
    for (const char* link :
         {"?seite=faq-Morvandel.Gauge&amp;faq=0", "?seite=Freeware/Morvandel.Gauge\"",
          "?seite=Freeware/Morvandel.Gauge/History", "?seite=Freeware/Morvandel.Gauge/Danke",
          "?seite=Freeware/Morvandel.Gauge/Thanks", "?seite=PayPal&amp;Program=Morvandel.Gauge",
          "?seite=MorvandelGauge"})
      EXPECT_TRUE(Contains(page.body, std::string("<li><a href=\"") + prefix + "/" + link))
          << prefix << link;
  }
  EXPECT_TRUE(Contains(Get("/de/", "seite=x").body, "Seite nicht gefunden"));
  // An address outside the site lists the pages too.
  const HttpResponse outside = Get("/admin", "");
  EXPECT_EQ(outside.status, 404);
  EXPECT_TRUE(Contains(outside.body, "<li><a href=\"/?seite=MorvandelGauge\">"));
}

TEST_F(SitePagesTest, UnknownPageNameIsEscaped) {
  const HttpResponse page = Get("/eu/", "seite=%3Cscript%3Ealert(%22x%22)%3C/script%3E%26%27");
  EXPECT_EQ(page.status, 404);
  EXPECT_FALSE(Contains(page.body, "<script>"));
  EXPECT_TRUE(Contains(page.body, "&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt;&amp;&#39;"));
}

TEST(SiteTextTest, MarkupComesOnlyFromTheSyntax) {
  struct Case {
    const char* markdown;
    const char* html;
  };
  const Case cases[] = {
      {"a <b> & \"c\"\nnext line", "<p>a &lt;b&gt; &amp; &quot;c&quot; next line</p>\n"},
      {"## Q <1> {#faq1}\n### Sub", "<h2 id=\"faq1\">Q &lt;1&gt;</h2>\n<h3>Sub</h3>\n"},
      {"- one\n  more\n- two\n\nafter",
       "<ul>\n<li>one more</li>\n<li>two</li>\n</ul>\n<p>after</p>\n"},
      {"`<x>` **b<** [l](?seite=A&b=1) [m](https://e.example/\")",
       "<p><code>&lt;x&gt;</code> <strong>b&lt;</strong> "
       "<a href=\"/eu/?seite=A&amp;b=1\">l</a> <a href=\"https://e.example/&quot;\">m</a></p>\n"},
      {"unclosed `tick [and **star", "<p>unclosed `tick [and **star</p>\n"},
      {"line\r\n\r\n- item\r\n", "<p>line</p>\n<ul>\n<li>item</li>\n</ul>\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(RenderSiteText(c.markdown, "/eu").html, c.html);
  EXPECT_EQ(RenderSiteText("## A {#a}\n## B", "").sections.size(), 2u);
}

}  // namespace
}  // namespace compare
