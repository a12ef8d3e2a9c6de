// The server program itself: refusing databases it cannot use, and several
// processes on one PostgreSQL database.
#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <signal.h>
#include <sys/stat.h>

#include <regex>
#include <set>

#include "tests/server/posted_result.h"
#include "tests/server/running_server.h"
#include "tests/server/test_stores.h"
#include "tests/support/test_files.h"

namespace compare {
namespace {

namespace fs = std::filesystem;
using compare_test::ExitCode;
using compare_test::FormBody;
using compare_test::Record;

void ExecuteSqlite(const fs::path& path, const char* sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  sqlite3_close(db);
}

// The program's exit code and what it wrote to standard error.
std::pair<int, std::string> RunToEnd(std::vector<std::string> args) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return {-1, {}};
  const pid_t pid = compare_test::Spawn(std::move(args), -1, pipeFds[1]);
  close(pipeFds[1]);
  std::string err;
  char buffer[512];
  for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) err.append(buffer, n);
  close(pipeFds[0]);
  return {ExitCode(pid), err};
}

// A database the server cannot use ends it at start with exit code 1 and a
// message saying what is wrong, instead of answering every post with 500.
TEST(CompareServerProgramTest, UnusableDatabaseEndsItAtStart) {
  test_support::ScratchFolder folder;
  // The read-only file needs a user whom file modes bind: the tests may run
  // as root, so the program then runs as nobody, from a copy it may reach.
  const bool root = geteuid() == 0;
  fs::permissions(folder.path(), fs::perms::all, fs::perm_options::add);
  const fs::path program = folder.path() / "morvandel-compare-server";
  fs::copy_file(MG_COMPARE_SERVER, program);
  struct Case {
    const char* name;
    const char* sql;
    const char* message;
  };
  const Case cases[] = {
      {"readonly", "", "the database file is read-only"},
      {"negative", "PRAGMA user_version = -1", "schema version -1 is not one this server knows"},
      {"foreign",
       "CREATE TABLE results (a TEXT); CREATE TABLE rank_counts (b TEXT); "
       "PRAGMA user_version = 2",
       "its table results has no column id"},
  };
  for (const Case& c : cases) {
    const fs::path path = folder.path() / (std::string(c.name) + ".sqlite");
    std::vector<std::string> args;
    if (std::string(c.name) == "readonly") {
      std::string error;
      ASSERT_TRUE(ResultStore::Open(path, error)) << error;
      fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
      if (root) args = {"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"};
    } else {
      ExecuteSqlite(path, c.sql);
    }
    args.insert(args.end(), {program.string(), "--db", path.string(), "--port", "0"});
    const auto [code, err] = RunToEnd(args);
    EXPECT_EQ(code, 1) << c.name;
    EXPECT_NE(err.find(c.message), std::string::npos) << c.name << ": " << err;
  }
}

// "Position <strong>P</strong> of T" of a ranking page.
std::string PositionOf(const std::string& page) {
  std::smatch match;
  const std::regex position("Position <strong>[0-9]+</strong> of [0-9]+");
  return std::regex_search(page, match, position) ? match.str() : std::string();
}

// Two processes on one PostgreSQL database, posted to at once: every result
// is stored once, and both rank every result the same.
TEST(CompareServerProgramTest, TwoProcessesServeOnePostgresDatabase) {
  if (!compare_test::PostgresAvailable()) GTEST_SKIP();
  const std::string database = compare_test::FreshPostgresDatabase("two_servers");
  compare_test::Program servers[2];
  for (compare_test::Program& server : servers) {
    server = compare_test::StartProgram(
        {MG_COMPARE_SERVER, "--db", database, "--port", "0", "--workers", "4"});
    ASSERT_GT(server.port, 0) << server.line;
  }
  constexpr int kPostsEach = 30;
  std::vector<std::thread> posters;
  std::atomic<int> accepted{0};
  for (int s = 0; s < 2; ++s)
    for (int t = 0; t < 2; ++t)
      posters.emplace_back([&, s, t] {
        httplib::Client client("127.0.0.1", servers[s].port);
        for (int i = 0; i < kPostsEach; ++i) {
          // Some equal FPS values across the processes: ties rank by id.
          const double fps = 20.0 + (i % 7) + 0.25 * t;
          const httplib::Result r =
              client.Post("/?Quellish.Dial/0", FormBody(Record(fps, 0)), compare_test::kFormType);
          if (r && r->status == 200) ++accepted;
        }
      });
  for (std::thread& poster : posters) poster.join();
  EXPECT_EQ(accepted, 4 * kPostsEach);

  PGconn* connection = PQconnectdb(database.c_str());
  PGresult* ids = PQexec(connection, "SELECT id FROM results ORDER BY id");
  ASSERT_EQ(PQntuples(ids), 4 * kPostsEach);
  std::set<std::string> positions;
  httplib::Client first("127.0.0.1", servers[0].port), second("127.0.0.1", servers[1].port);
  for (int row = 0; row < PQntuples(ids); ++row) {
    const std::string address = "/?result=" + std::string(PQgetvalue(ids, row, 0));
    const httplib::Result a = first.Get(address), b = second.Get(address);
    ASSERT_TRUE(a && b) << address;
    const std::string position = PositionOf(a->body);
    EXPECT_FALSE(position.empty()) << address;
    EXPECT_EQ(position, PositionOf(b->body)) << address;
    positions.insert(position);
  }
  EXPECT_EQ(positions.size(), static_cast<size_t>(4 * kPostsEach));  // each place once
  PQclear(ids);
  PQfinish(connection);
  for (const compare_test::Program& server : servers) {
    kill(server.pid, SIGTERM);
    EXPECT_EQ(ExitCode(server.pid), 0);
  }
}

}  // namespace
}  // namespace compare
