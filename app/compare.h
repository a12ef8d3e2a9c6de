// The results page's Compare command: the result record of the running
// program, the compare page, and the comparison server it may start.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "app/application.h"
#include "bench/compare_page.h"
#include "bench/result_page.h"
#include "platform/file_io.h"
#include "platform/system_info.h"

namespace app {

// The stored result as the settings hold it.
bench::StoredResult StoredResultOf(const AppSettings& settings);

// "major.minor.patch" of the running kernel.
std::string OsVersionText(platform::SystemInfo& system);

// The result record of the stored result with the machine's description.
std::string BuildCurrentResultRecord(const Application& ctx, platform::SystemInfo& system);

// The comparison server's command line: the program beside `programFolder`
// when it is there, otherwise its name for a PATH lookup; the database
// <dataFolder>/Morvandel.Gauge/results.sqlite.
std::vector<std::string> CompareServerCommand(const std::filesystem::path& programFolder,
                                              const std::filesystem::path& dataFolder,
                                              const bench::LocalEndpoint& endpoint);

// When `compareUrl` is plain HTTP to this machine and nothing accepts a
// connection on its port, starts the comparison server detached (its
// database folder created first) and waits up to `waitMs` for the port to
// answer. True when the server was started.
bool StartCompareServerIfNeeded(const std::string& compareUrl, int waitMs);

struct ExportOutcome {
  platform::PrivateFile page;
  bool serverStarted = false;
  bool opened = false;
};

// Writes the compare page for `record` (posting to `compareUrl` with the
// detail level's suffix) into the private temporary folder and opens it
// with the desktop's browser, also when it could not be written.
ExportOutcome ExportResultPage(const std::string& record, int detailLevel,
                               const std::string& compareUrl, int serverWaitMs = 2000);

// The "Compare" command: the record of the stored result, exported.
ExportOutcome CompareResults(Application& ctx, platform::SystemInfo& system);

}  // namespace app
