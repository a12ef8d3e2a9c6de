#include "app/benchmark_start.h"

#include <string>

#include "app/application.h"
#include "app/benchmark_run.h"
#include "app/command_line.h"
#include "app/upload.h"
#include "bench/run_report.h"
#include "platform/file_io.h"
#include "platform/text_codec.h"
#include "platform/virtual_keys.h"

namespace app {
namespace {

// The progress line is rewritten at most this often.
constexpr double kProgressIntervalMs = 250.0;

void ClearProgress(BenchmarkStart& start) {
  if (!start.progressShown) return;
  *start.err << '\r' << std::string(bench::FormatProgressLine(0.0, 0.0).size(), ' ') << '\r'
             << std::flush;
  start.progressShown = false;
}

bool End(Application& ctx, int exitCode, const std::string& message) {
  BenchmarkStart& start = ctx.start;
  bench::StopRun(ctx.player);
  ClearProgress(start);
  if (!message.empty()) *start.err << "morvandel-gauge: " << message << '\n' << std::flush;
  start.phase = BenchmarkStart::Phase::Done;
  start.exitCode = exitCode;
  return true;
}

bool BeginRun(Application& ctx) {
  BenchmarkStart& start = ctx.start;
  const std::optional<int> asked = ctx.options.sampleCount;
  if (asked && *asked != ctx.win.sampleCount) {
    *start.err << "morvandel-gauge: antialiasing with " << *asked
               << " samples is not available here; the run uses "
               << (ctx.win.sampleCount == 0 ? std::string("none")
                                            : std::to_string(ctx.win.sampleCount) + " samples")
               << '\n';
  }
  if (!bench::StartRun(ctx.player, NowMs(ctx.clock))) {
    return End(ctx, kExitRunFailed, "no camera path to fly: the run cannot start");
  }
  start.phase = BenchmarkStart::Phase::Playing;
  start.progressMs = ctx.player.startMs;
  start.progressFrames = 0;
  return false;
}

void ShowProgress(Application& ctx) {
  BenchmarkStart& start = ctx.start;
  if (!start.progressOnTerminal) return;
  const double now = NowMs(ctx.clock);
  if (now - start.progressMs < kProgressIntervalMs) return;
  const bench::BenchmarkPlayer& player = ctx.player;
  const double fps = (player.frames - start.progressFrames) / (now - start.progressMs) * 1000.0;
  const double percent =
      player.pathDurationMs > 0.0 ? player.pathPositionMs / player.pathDurationMs * 100.0 : 0.0;
  *start.err << '\r' << bench::FormatProgressLine(percent, fps) << std::flush;
  start.progressShown = true;
  start.progressMs = now;
  start.progressFrames = player.frames;
}

bench::RunReport MakeReport(const Application& ctx, const bench::RunResult& result) {
  bench::RunReport report;
  report.product = "Morvandel.Gauge";
  report.version = ProgramVersion();
  report.glRenderer = ctx.app.renderer;
  report.glVersion = ctx.app.versionText;
  report.glVendor = ctx.app.vendorText;
  report.width = ctx.app.viewportWidth;
  report.height = ctx.app.viewportHeight;
  report.samples = ctx.win.sampleCount;
  report.detailLevel = ctx.scene.detailLevel;
  report.water = ctx.settings.mit_wasser.value;
  report.result = result;
  return report;
}

// The run is complete and its keys are written: the result line, and the
// JSON record when asked for. With the record on standard output the line
// goes to standard error, so that the output is the record alone.
bool Report(Application& ctx) {
  BenchmarkStart& start = ctx.start;
  ClearProgress(start);
  const bench::RunReport report = MakeReport(ctx, *start.result);
  const std::optional<std::string>& jsonPath = ctx.options.jsonPath;
  const bool jsonToOutput = jsonPath && *jsonPath == "-";
  *(jsonToOutput ? start.err : start.out) << bench::FormatResultLine(report) << '\n' << std::flush;
  if (jsonPath) {
    const std::string json = bench::FormatRunJson(report);
    if (jsonToOutput) {
      *start.out << json << std::flush;
    } else if (!platform::ReplaceFileAtomically(*jsonPath, json)) {
      return End(ctx, kExitRunFailed, "could not write the JSON record to " + *jsonPath);
    }
  }
  if (const std::optional<std::string>& url = ctx.options.uploadUrl) {
    const UploadAnswer sent =
        UploadRecord(url->empty() ? platform::Utf16ToUtf8(ctx.settings.compare_url.value) : *url,
                     bench::FormatRunJson(report));
    if (!sent.page) return End(ctx, kExitRunFailed, "the result was not uploaded: " + sent.error);
    *(jsonToOutput ? start.err : start.out) << *sent.page << '\n' << std::flush;
  }
  return End(ctx, 0, "");
}

}  // namespace

void PrepareBenchmarkStart(Application& ctx) {
  AppSettings& s = ctx.settings;
  const Options& options = ctx.options;
  // In memory only: a benchmark start stores nothing but its result.
  s.show_info2.value = 0;
  s.m_autopilot.value = 0;
  if (options.renderType) s.render_type.value = *options.renderType;
  if (options.water) s.mit_wasser.value = *options.water;
  if (options.sampleCount && *options.sampleCount != ctx.win.sampleCount) {
    ctx.win.sampleCount = *options.sampleCount;
    ctx.win.pixelFormatPending = true;
  }
  ctx.start.phase = BenchmarkStart::Phase::FirstFrame;
}

bool FilterBenchmarkEvent(Application& ctx, const platform::Event& event) {
  if (!ctx.options.benchmark) return false;
  using platform::EventType;
  switch (event.type) {
    case EventType::Close:
      ctx.start.interrupted = true;
      return true;
    case EventType::KeyDown:
      if (event.vk == platform::vk::kEscape || event.vk == platform::vk::kF1) {
        ctx.start.interrupted = true;
      }
      return true;
    case EventType::Size:
    case EventType::Activate:
      return false;
    default:
      return true;
  }
}

bool BenchmarkStartStep(Application& ctx) {
  if (!ctx.options.benchmark) return false;
  BenchmarkStart& start = ctx.start;
  if (start.phase == BenchmarkStart::Phase::Done) return true;
  // A run whose end was reached has written its keys: it reports, even if
  // Ctrl-C came during its last frame.
  if (start.result) return Report(ctx);
  if (start.interrupted.load()) {
    return End(ctx, kExitInterrupted, "run interrupted; nothing was written");
  }
  switch (start.phase) {
    case BenchmarkStart::Phase::Loading:
      return false;
    case BenchmarkStart::Phase::FirstFrame:
      return BeginRun(ctx);
    case BenchmarkStart::Phase::Playing:
      if (!bench::IsPlaying(ctx.player)) {
        return End(ctx, kExitInterrupted, "run stopped; nothing was written");
      }
      ShowProgress(ctx);
      return false;
    case BenchmarkStart::Phase::Done:
      break;
  }
  return true;
}

int FinishBenchmarkStart(Application& ctx) {
  BenchmarkStart& start = ctx.start;
  if (start.phase == BenchmarkStart::Phase::Done) return start.exitCode;
  if (start.interrupted.load()) {
    End(ctx, kExitInterrupted, "interrupted; nothing was written");
  } else if (start.phase == BenchmarkStart::Phase::Playing) {
    End(ctx, kExitRunFailed, "the program ended before the run was complete; nothing was written");
  } else {
    End(ctx, kExitRunFailed, "the benchmark run could not start");
  }
  return start.exitCode;
}

}  // namespace app
