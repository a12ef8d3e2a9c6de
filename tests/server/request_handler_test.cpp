#include "server/request_handler.h"

#include <gtest/gtest.h>

#include "server/html_text.h"
#include "tests/server/posted_result.h"
#include "tests/support/test_files.h"

namespace compare {
namespace {

using compare_test::FormBody;
using compare_test::Record;

// 2026-03-01 14:05:09 UTC.
const std::chrono::system_clock::time_point kNow{std::chrono::seconds(1772373909)};

class RequestHandlerTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    store_ = ResultStore::Open(folder_.path() / "results.sqlite", error);
    ASSERT_TRUE(store_) << error;
  }

  HttpResponse Post(const std::string& body, const std::string& query = "Quellish.Dial/1",
                    const std::string& type = "application/x-www-form-urlencoded") {
    return HandleRequest({"POST", "/", query, type, body}, *store_, kNow);
  }
  HttpResponse Get(const std::string& query = "", const std::string& path = "/") {
    return HandleRequest({"GET", path, query, "", ""}, *store_, kNow);
  }
  size_t Stored() { return store_->Latest(std::nullopt, 1000).size(); }

  test_support::ScratchFolder folder_;
  std::unique_ptr<ResultStore> store_;
};

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST_F(RequestHandlerTest, PostedResultIsStoredAndRankedWithinItsLevel) {
  ASSERT_EQ(Post(FormBody(Record(30.0, 1, "Card A"))).status, 200);
  ASSERT_EQ(Post(FormBody(Record(50.0, 1, "Card B"))).status, 200);
  // Faster, but at another level: it does not count.
  ASSERT_EQ(Post(FormBody(Record(100.0, 0, "Card D")), "Quellish.Dial/0").status, 200);
  const HttpResponse answer = Post(FormBody(Record(40.0, 1, "Card C")));
  ASSERT_EQ(answer.status, 200);
  EXPECT_EQ(answer.contentType, "text/html; charset=utf-8");
  EXPECT_TRUE(Contains(answer.body, "<meta charset=\"utf-8\">"));
  EXPECT_TRUE(Contains(answer.body, "Position <strong>2</strong> of 3 at detail level"));
  // The table ranks B, C, A; this result's row is the highlighted one.
  const size_t table = answer.body.find("<th>Position</th>");
  const size_t b = answer.body.find("<td>Card B</td>", table);
  const size_t c = answer.body.find("<td>Card C</td>", table);
  const size_t a = answer.body.find("<td>Card A</td>", table);
  ASSERT_NE(c, std::string::npos);
  EXPECT_TRUE(b < c && c < a);
  EXPECT_FALSE(Contains(answer.body, "Card D"));
  EXPECT_TRUE(Contains(answer.body, "<tr id=\"r4\" class=\"mine\">"));
  EXPECT_TRUE(Contains(answer.body, "<td class=\"n\">40.00</td>"));
  EXPECT_TRUE(Contains(answer.body, "<svg"));
  EXPECT_TRUE(Contains(answer.body, "fill=\"#e8590c\""));  // the highlighted bar
  EXPECT_TRUE(Contains(answer.body, "2026-03-01 14:05:09"));

  const std::optional<StoredResult> stored = store_->Find(4);
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->result.level, 1);
  EXPECT_DOUBLE_EQ(stored->result.fps, 40.0);
  EXPECT_EQ(stored->result.record, bench::FlattenRecord(Record(40.0, 1, "Card C")));
  EXPECT_EQ(stored->received, "2026-03-01 14:05:09");

  // The stored ranking is there to read again, and the list shows all four.
  EXPECT_TRUE(Contains(Get("result=4").body, "Position <strong>2</strong> of 3"));
  const HttpResponse all = Get();
  EXPECT_EQ(all.status, 200);
  for (const char* card : {"Card A", "Card B", "Card C", "Card D"})
    EXPECT_TRUE(Contains(all.body, card)) << card;
  const HttpResponse high = Get("level=0");
  EXPECT_TRUE(Contains(high.body, "Card D"));
  EXPECT_FALSE(Contains(high.body, "Card A"));
}

TEST_F(RequestHandlerTest, LevelComesFromTheAddressElseFromTheRecord) {
  struct Case {
    const char* query;
    int mode;
    int level;
  };
  const Case cases[] = {
      {"Quellish.Dial/2", 1, 2}, {"Quellish.Dial/0", 2, 0}, {"Quellish.Dial", 1, 1}, {"", 2, 2},
      {"Quellish.Dial/5", 1, 1}, {"", 9, kUnknownLevel},
  };
  std::int64_t id = 0;
  for (const Case& c : cases) {
    ASSERT_EQ(Post(FormBody(Record(10.0, c.mode)), c.query).status, 200) << c.query;
    const std::optional<StoredResult> stored = store_->Find(++id);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->result.level, c.level) << c.query;
  }
}

TEST_F(RequestHandlerTest, LongRankingShowsTheTopAndTheResultsAroundThisOne) {
  for (int i = 0; i < 40; ++i) ASSERT_EQ(Post(FormBody(Record(100.0 - i, 1))).status, 200);
  // Position 31 of 41: the top ten, a gap, then positions 26 to 36.
  const HttpResponse answer = Post(FormBody(Record(70.5, 1)));
  EXPECT_TRUE(Contains(answer.body, "Position <strong>31</strong> of 41"));
  EXPECT_TRUE(Contains(answer.body, ">10</a>"));
  EXPECT_FALSE(Contains(answer.body, ">11</a>"));
  EXPECT_FALSE(Contains(answer.body, ">25</a>"));
  EXPECT_TRUE(Contains(answer.body, ">26</a>"));
  EXPECT_TRUE(Contains(answer.body, ">36</a>"));
  EXPECT_FALSE(Contains(answer.body, ">37</a>"));
  EXPECT_TRUE(Contains(answer.body, "<tr class=\"gap\">"));
}

TEST_F(RequestHandlerTest, BadPostsAreRefusedAndNothingIsStored) {
  const std::string good = FormBody(Record(42.0, 1));
  struct Case {
    const char* what;
    std::string body;
    std::string type;
    const char* reason;
  };
  const Case cases[] = {
      {"bad Base64", "pelvorndata=%21%21%21%21", "application/x-www-form-urlencoded",
       "does not decode"},
      {"inner layer not Base64",
       "pelvorndata=" + compare_test::FormValue(bench::Base64Encode("@@@@")), "",
       "does not decode"},
      {"truncated", good.substr(0, good.size() - 7), "application/x-www-form-urlencoded",
       "does not decode"},
      {"no FPS", FormBody("MSA:4\nMode:1\nGL_RENDERER:x\n"), "application/x-www-form-urlencoded",
       "no FPS value"},
      {"no field", "pelvorndata_img=&other=1", "application/x-www-form-urlencoded",
       "no pelvorndata field"},
      {"too big", good + "&pelvorndata_img=" + std::string(kMaxBodyBytes, 'A'),
       "application/x-www-form-urlencoded", "larger than 64 KiB"},
      {"multipart", "--x\r\n", "multipart/form-data; boundary=x", "form fields"},
  };
  for (const Case& c : cases) {
    const HttpResponse answer = Post(c.body, "Quellish.Dial/1", c.type);
    EXPECT_EQ(answer.status, 400) << c.what;
    EXPECT_TRUE(Contains(answer.body, c.reason)) << c.what << ": " << answer.body;
    EXPECT_TRUE(Contains(answer.body, "<meta charset=\"utf-8\">")) << c.what;
  }
  EXPECT_EQ(Stored(), 0u);
  EXPECT_EQ(Post(good).status, 200);
  EXPECT_EQ(Stored(), 1u);
}

TEST_F(RequestHandlerTest, EverythingEchoedIsEscaped) {
  // The flattening drops "&" from the record, so it cannot arrive in a value.
  EXPECT_EQ(HtmlEscape("<script>&\"'"), "&lt;script&gt;&amp;&quot;&#39;");
  ASSERT_EQ(Post(FormBody(Record(25.0, 1, "<script>&\"'"))).status, 200);
  for (const HttpResponse& page : {Post(FormBody(Record(20.0, 1, "x"))), Get(), Get("result=1")}) {
    EXPECT_FALSE(Contains(page.body, "<script>"));
    EXPECT_FALSE(Contains(page.body, "\"'"));
    EXPECT_TRUE(Contains(page.body, "&lt;script&gt;&quot;&#39;"));
  }
}

TEST_F(RequestHandlerTest, OtherAddressesAndMethods) {
  EXPECT_EQ(Get("", "/admin").status, 404);
  EXPECT_EQ(Get("result=99").status, 404);
  EXPECT_EQ(Get("result=<b>").status, 404);
  EXPECT_FALSE(Contains(Get("result=<b>").body, "<b>"));
  const HttpResponse put = HandleRequest({"PUT", "/", "", "", "x"}, *store_, kNow);
  EXPECT_EQ(put.status, 405);
  ASSERT_EQ(put.headers.size(), 1u);
  EXPECT_EQ(put.headers[0].first, "Allow");
  EXPECT_TRUE(Contains(Get().body, "No results yet"));
}

}  // namespace
}  // namespace compare
