#include "app/compare.h"

#include <chrono>
#include <thread>

#include "bench/system_info_text.h"
#include "lang/language.h"
#include "platform/file_io.h"
#include "platform/local_port.h"
#include "platform/paths.h"
#include "platform/shell.h"

namespace app {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kServerProgram = "morvandel-compare-server";
constexpr int kVersionTextId = 18;
constexpr int kPortPollMs = 50;

}  // namespace

bench::StoredResult StoredResultOf(const AppSettings& s) {
  bench::StoredResult r;
  r.averageFps = s.lastAverageFps.value;
  r.benchTime = s.lastRunSeconds.value;
  r.maxMegaTris = s.lastHighestMegaTris.value;
  r.width = s.lastRunWidth.value;
  r.height = s.lastRunHeight.value;
  r.antialiasing = s.lastRunSamples.value;
  r.mode = s.lastRunQuality.value;
  return r;
}

std::string OsVersionText(platform::SystemInfo& system) {
  return bench::OsVersionFromKernelRelease(system.KernelRelease());
}

std::string BuildCurrentResultRecord(const Application& ctx, platform::SystemInfo& system) {
  bench::RecordContext context;
  context.sampleCount = ctx.win.sampleCount;
  const render::GlDescription gl = ctx.renderer.Describe();
  context.gl = {gl.renderer, gl.version, gl.vendor};
  context.osVersion = OsVersionText(system);
  const char16_t* version = lang::GetGeneralString(kVersionTextId);
  if (version != nullptr) context.version = platform::Utf16ToUtf8(version);
  context.systemText = bench::DescribeSystem(system);
  return bench::BuildResultRecord(StoredResultOf(ctx.settings), context);
}

std::vector<std::string> CompareServerCommand(const fs::path& programFolder,
                                              const fs::path& dataFolder,
                                              const bench::LocalEndpoint& endpoint) {
  const fs::path beside = programFolder / kServerProgram;
  const std::string program =
      platform::IsExecutableFile(beside) ? beside.string() : std::string(kServerProgram);
  const fs::path database = dataFolder / "Morvandel.Gauge" / "results.sqlite";
  return {program,  "--db",          database.string(), "--port", std::to_string(endpoint.port),
          "--bind", endpoint.address};
}

bool StartCompareServerIfNeeded(const std::string& compareUrl, int waitMs) {
  const auto endpoint = bench::LocalCompareEndpoint(compareUrl);
  if (!endpoint || platform::AcceptsTcpConnection(endpoint->address, endpoint->port, 200))
    return false;
  const fs::path dataFolder = platform::UserDataDir();
  std::error_code ec;
  fs::create_directories(dataFolder / "Morvandel.Gauge", ec);
  const auto command =
      CompareServerCommand(platform::ExecutablePath().parent_path(), dataFolder, *endpoint);
  if (!platform::StartDetached(command)) return false;
  for (int waited = 0; waited < waitMs; waited += kPortPollMs) {
    if (platform::AcceptsTcpConnection(endpoint->address, endpoint->port, kPortPollMs)) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(kPortPollMs));
  }
  return true;
}

ExportOutcome ExportResultPage(const std::string& record, int detailLevel,
                               const std::string& compareUrl, int serverWaitMs) {
  ExportOutcome outcome;
  const std::string page =
      bench::BuildResultPage(record, bench::CompareActionAddress(compareUrl, detailLevel));
  outcome.page = platform::WritePrivateTempFile(bench::kResultPageFileName, page);
  outcome.serverStarted = StartCompareServerIfNeeded(compareUrl, serverWaitMs);
  outcome.opened = platform::OpenWithDefaultHandler(outcome.page.path.string());
  return outcome;
}

ExportOutcome CompareResults(Application& ctx, platform::SystemInfo& system) {
  const std::string record = BuildCurrentResultRecord(ctx, system);
  return ExportResultPage(record, ctx.settings.lastRunQuality.value,
                          platform::Utf16ToUtf8(ctx.settings.compareUrl.value));
}

}  // namespace app
