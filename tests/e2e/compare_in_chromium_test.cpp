// Compare from end to end with a real browser: the program writes its
// compare page, headless Chromium opens it and its script posts the form to
// a comparison server on a free port, and what the server stored and answers
// is checked against the record the program built.
#include <gtest/gtest.h>
#include <httplib.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>

#include "app/compare.h"
#include "bench/result_codec.h"
#include "bench/system_info_text.h"
#include "platform/fake/fixed_system_info.h"
#include "platform/fake/recording_shell.h"
#include "program_version.h"
#include "share/links.h"
#include "tests/e2e/child_process.h"
#include "tests/support/env_guard.h"
#include "tests/support/required_tool.h"
#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr int kMediumLevel = 1;
// A quoted, bracketed processor name: the page must carry it as text.
constexpr const char* kCpuName = "Example \"Quick\" CPU <8 cores> @ 3.00GHz";
constexpr const char* kRenderer = "llvmpipe (LLVM 15.0.6, 256 bits)";

platform::fake::FixedSystemInfo FixedMachine() {
  platform::fake::FixedSystemInfo machine;
  machine.os = {{{"Name", std::string("Debian GNU/Linux 12 (bookworm)")},
                 {"Caption", std::string("Debian GNU/Linux 12")},
                 {"OSArchitecture", std::string("64-bit")}}};
  machine.processors = {{{"Name", std::string(kCpuName)},
                         {"NumberOfCores", int32_t{2}},
                         {"ThreadCount", int32_t{2}}}};
  machine.kernelRelease = "6.1.0-18-amd64";
  return machine;
}

// The record the program builds for a run at the medium level.
std::string ResultRecord(float fps, float megaTris) {
  bench::StoredResult result;
  result.averageFps = fps;
  result.benchTime = 60.0f;
  result.maxMegaTris = megaTris;
  result.width = 1024;
  result.height = 768;
  result.antialiasing = 4;
  result.mode = kMediumLevel;
  platform::fake::FixedSystemInfo machine = FixedMachine();
  bench::RecordContext context;
  context.sampleCount = 4;
  context.gl = {kRenderer, "4.5 (Compatibility Profile) Mesa 22.3.6", "Mesa"};
  context.osVersion = app::OsVersionText(machine);
  context.version = "2.33";
  context.systemText = bench::DescribeSystem(machine);
  return bench::BuildResultRecord(result, context);
}

struct StoredRow {
  std::int64_t id = 0;
  int level = -1;
  double fps = 0.0;
  double megaTris = 0.0;
  int width = 0, height = 0, msaa = 0;
  std::string renderer, cpu, version, record;
};

// Rows in the order they arrived, read through a connection of their own.
std::vector<StoredRow> StoredRows(const fs::path& database) {
  std::vector<StoredRow> rows;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT id, level, fps, mega_tris, width, height, msaa, renderer, cpu, "
                       "version, record FROM results ORDER BY id",
                       -1, &stmt, nullptr);
    const auto text = [&stmt](int column) {
      const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt, column));
      return bytes != nullptr ? std::string(bytes, sqlite3_column_bytes(stmt, column))
                              : std::string();
    };
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      rows.push_back({sqlite3_column_int64(stmt, 0), sqlite3_column_int(stmt, 1),
                      sqlite3_column_double(stmt, 2), sqlite3_column_double(stmt, 3),
                      sqlite3_column_int(stmt, 4), sqlite3_column_int(stmt, 5),
                      sqlite3_column_int(stmt, 6), text(7), text(8), text(9), text(10)});
    }
    sqlite3_finalize(stmt);
  }
  sqlite3_close(db);
  return rows;
}

// The text a reader sees in an HTML fragment: tags dropped (all but the
// ends of links and emphasis part a word from the next), the character
// references the server writes turned back, white space runs made one space.
std::string VisibleText(std::string_view html) {
  std::string text;
  for (size_t at = 0; at < html.size(); ++at) {
    if (html[at] != '<') {
      text += html[at];
      continue;
    }
    const size_t end = std::min(html.find('>', at), html.size());
    const std::string_view tag = html.substr(at + 1, end - at - 1);
    const bool inline_ = tag == "/a" || tag == "strong" || tag == "/strong";
    if (!inline_) text += ' ';
    at = end;
  }
  for (const auto& [reference, plain] :
       {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}}) {
    for (size_t at = text.find(reference); at != std::string::npos;
         at = text.find(reference, at + 1))
      text.replace(at, std::string_view(reference).size(), plain);
  }
  std::string squeezed;
  for (const char c : text) {
    const bool space = c == ' ' || c == '\n' || c == '\t' || c == '\r';
    if (space && (squeezed.empty() || squeezed.back() == ' ')) continue;
    squeezed += space ? ' ' : c;
  }
  if (!squeezed.empty() && squeezed.back() == ' ') squeezed.pop_back();
  return squeezed;
}

// The part of the page after `from` up to the next `to`; empty when absent.
std::string_view Between(std::string_view page, std::string_view from, std::string_view to) {
  size_t start = page.find(from);
  if (start == std::string_view::npos) return {};
  start += from.size();
  const size_t end = page.find(to, start);
  return page.substr(start, end == std::string_view::npos ? end : end - start);
}

std::string FileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CompareInChromiumTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chromium_ = e2e::FindInPath("chromium");
    MG_REQUIRE_INSTALLED(!chromium_.empty(), "chromium");
    e2e::ChildProcess version({chromium_.string(), "--version"}, folder_.path() / "version.err");
    const bool starts = version.started() && version.ReadToEnd(e2e::After(30s)) &&
                        version.Terminate(e2e::After(5s)) == 0;
    MG_REQUIRE_INSTALLED(
        starts, "a chromium that starts (" + FileText(folder_.path() / "version.err") + ")");
    fs::create_directories(folder_.path() / "tmp");
    setenv("TMPDIR", (folder_.path() / "tmp").c_str(), 1);
    setenv("XDG_DATA_HOME", (folder_.path() / "data").c_str(), 1);
  }

  // Starts the comparison server on a free port; its address, or empty
  // (with a failure) when it does not come up.
  std::string StartServer(std::optional<e2e::ChildProcess>& server) {
    server.emplace(std::vector<std::string>{MG_COMPARE_SERVER, "--db",
                                            (folder_.path() / "results.sqlite").string(), "--port",
                                            "0", "--bind", "127.0.0.1"},
                   folder_.path() / "server.err");
    EXPECT_TRUE(server->started());
    // "... listening on http://127.0.0.1:PORT/, results in ..."
    const std::string banner = server->ReadLine(e2e::After(20s)).value_or("");
    const size_t address = banner.find("http://127.0.0.1:");
    const int port = address == std::string::npos
                         ? 0
                         : std::atoi(banner.c_str() + address + std::strlen("http://127.0.0.1:"));
    EXPECT_GT(port, 0) << banner << FileText(folder_.path() / "server.err");
    return port > 0 ? "http://127.0.0.1:" + std::to_string(port) : std::string();
  }

  // Opens the address in headless Chromium and returns the document it ends
  // on, as Chromium prints it; empty when it did not finish in time.
  std::string BrowserDocument(const std::string& address, int run) {
    const fs::path profile = folder_.path() / ("profile" + std::to_string(run));
    const fs::path errors = folder_.path() / ("chromium" + std::to_string(run) + ".err");
    e2e::ChildProcess browser(
        {chromium_.string(), "--headless", "--disable-gpu", "--no-sandbox", "--no-first-run",
         "--no-default-browser-check", "--disable-background-networking",
         "--disable-component-update", "--disable-extensions", "--disable-sync",
         "--user-data-dir=" + profile.string(), "--dump-dom", address},
        errors);
    EXPECT_TRUE(browser.started());
    const std::optional<std::string> document = browser.ReadToEnd(e2e::After(60s));
    EXPECT_TRUE(document) << "chromium did not finish:\n" << FileText(errors);
    return document.value_or("");
  }

  test_support::ScratchFolder folder_;
  test_support::EnvGuard env_{"TMPDIR", "XDG_DATA_HOME"};
  fs::path chromium_;
};

TEST_F(CompareInChromiumTest, PostedPagesAreStoredAndRanked) {
  const fs::path database = folder_.path() / "results.sqlite";
  std::optional<e2e::ChildProcess> server;
  const std::string url = StartServer(server);
  ASSERT_FALSE(url.empty());
  const int port = std::atoi(url.c_str() + std::strlen("http://127.0.0.1:"));

  struct Run {
    float fps;
    float megaTris;
    const char* standing;  // as the answer states it
    const char* row;       // the highlighted row of the ranking table
  };
  const Run runs[] = {
      {41.25f, 12.5f, "Position 1 of 1 at detail level Medium.", "1 41.25 12.50 1024 x 768 MSAA 4"},
      {28.5f, 8.75f, "Position 2 of 2 at detail level Medium.", "2 28.50 8.75 1024 x 768 MSAA 4"},
      {35.75f, 10.0f, "Position 2 of 3 at detail level Medium.", "2 35.75 10.00 1024 x 768 MSAA 4"},
  };
  std::vector<std::string> records;
  std::string lastDocument;
  for (const Run& run : runs) {
    const std::string record = ResultRecord(run.fps, run.megaTris);
    records.push_back(record);
    platform::fake::RecordingShell shell;
    const app::ExportOutcome outcome = app::ExportResultPage(record, kMediumLevel, url);
    ASSERT_TRUE(outcome.page.written);
    EXPECT_FALSE(outcome.serverStarted) << "the server already listens there";
    EXPECT_EQ(shell.commands(),
              (std::vector<std::vector<std::string>>{{"xdg-open", outcome.page.path.string()}}));

    const std::string document =
        BrowserDocument("file://" + outcome.page.path.string(), records.size());
    const std::string label = "result " + std::to_string(records.size());
    EXPECT_EQ(VisibleText(Between(document, "<p id=\"standing\">", "</p>")), run.standing)
        << label << ":\n"
        << document;
    const std::string row = VisibleText(Between(document, "class=\"mine\">", "</tr>"));
    EXPECT_EQ(row.rfind(std::string(run.row) + " " + kRenderer + " " + kCpuName, 0), 0u)
        << label << ": " << row;

    const std::vector<StoredRow> stored = StoredRows(database);
    ASSERT_EQ(stored.size(), records.size()) << label;
    const StoredRow& mine = stored.back();
    EXPECT_EQ(mine.record, bench::FlattenRecord(record)) << label;
    EXPECT_EQ(mine.level, kMediumLevel);
    EXPECT_DOUBLE_EQ(mine.fps, run.fps);
    EXPECT_DOUBLE_EQ(mine.megaTris, run.megaTris);
    EXPECT_EQ((std::vector<int>{mine.width, mine.height, mine.msaa}),
              (std::vector<int>{1024, 768, 4}));
    EXPECT_EQ(mine.renderer, kRenderer);
    EXPECT_EQ(mine.cpu, kCpuName);
    EXPECT_EQ(mine.version, "2.33");
    lastDocument = document;
  }
  std::printf("The ranking page after three results, as text:\n%s\n",
              VisibleText(Between(lastDocument, "<body>", "</body>")).c_str());

  // Asked again later, the server ranks each stored result where the three
  // belong now: the first stays on top, the second has fallen to third.
  httplib::Client client("127.0.0.1", port);
  client.set_read_timeout(30s);
  const std::vector<StoredRow> stored = StoredRows(database);
  ASSERT_EQ(stored.size(), 3u);
  const char* const positionsNow[] = {"Position 1 of 3", "Position 3 of 3", "Position 2 of 3"};
  for (size_t k = 0; k < stored.size(); ++k) {
    const httplib::Result page = client.Get("/?result=" + std::to_string(stored[k].id));
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    EXPECT_EQ(VisibleText(Between(page->body, "<p id=\"standing\">", "</p>")),
              std::string(positionsNow[k]) + " at detail level Medium.");
  }
  // What the browser showed for the third result is the server's page of it.
  const httplib::Result third = client.Get("/?result=" + std::to_string(stored[2].id));
  ASSERT_TRUE(third);
  EXPECT_EQ(VisibleText(Between(third->body, "<body>", "</body>")),
            VisibleText(Between(lastDocument, "<body>", "</body>")));

  EXPECT_EQ(server->Terminate(e2e::After(10s)), 0);
}

// Every address the menu's link commands open, with the server as the
// homepage, is a page of the server with the page's own title; an unknown
// page answers with the list of pages that exist.
TEST_F(CompareInChromiumTest, LinkPagesOpenInTheBrowser) {
  std::optional<e2e::ChildProcess> server;
  const std::string url = StartServer(server);
  ASSERT_FALSE(url.empty());

  const platform::TimeZoneFacts berlin{60, true};
  const platform::TimeZoneFacts tokyo{540, false};
  const std::string program = "Morvandel.Gauge " + std::string(mg::kProgramVersion);
  struct Link {
    const char* command;
    int uiLanguage;
    platform::TimeZoneFacts zone;
    const char* variant;
    std::string title;
  };
  const Link links[] = {
      {"# FAQ", 1, berlin, "/eu", "Morvandel.Gauge \u2013 Questions and answers"},
      {"More", 1, tokyo, "/int", program},
      {"# Donate", 0, tokyo, "/de", "Morvandel.Gauge \u2013 Kostenlos"},
      {"History", 1, berlin, "/eu", "Morvandel.Gauge \u2013 History"},
      {"# THX", 0, berlin, "/de", "Morvandel.Gauge \u2013 Danke"},
      {"# THX", 1, tokyo, "/int", "Morvandel.Gauge \u2013 Thanks"},
      {"Results", 0, tokyo, "/eu", "Morvandel.Gauge - Latest results"},
  };
  int run = 0;
  for (const Link& link : links) {
    const std::optional<std::string> address =
        share::LinkAddress(link.command, {link.uiLanguage, link.zone, url});
    ASSERT_TRUE(address) << link.command;
    EXPECT_EQ(address->rfind(url + link.variant, 0), 0u) << *address;
    const std::string document = BrowserDocument(*address, ++run);
    EXPECT_EQ(Between(document, "<title>", "</title>"), link.title) << *address;
  }

  const std::string unknown = url + "/de/?seite=Freeware/Morvandel.Gauge/Gibt-es-nicht";
  const std::string missing = BrowserDocument(unknown, ++run);
  EXPECT_EQ(Between(missing, "<title>", "</title>"), "Morvandel.Gauge \u2013 Seite nicht gefunden");
  const std::string listed = VisibleText(Between(missing, "<ul class=\"pages\">", "</ul>"));
  EXPECT_EQ(listed,
            "Programm Fragen und Antworten Versionsgeschichte Thanks (English) Danke Kostenlos "
            "Ergebnisse")
      << missing;
  EXPECT_NE(missing.find("href=\"/de/?seite=faq-Morvandel.Gauge&amp;faq=0\""), std::string::npos);

  EXPECT_EQ(server->Terminate(e2e::After(10s)), 0);
}

}  // namespace
