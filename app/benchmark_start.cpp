#include "app/benchmark_start.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/application.h"
#include "app/benchmark_run.h"
#include "app/command_line.h"
#include "app/upload.h"
#include "bench/fixed_text.h"
#include "bench/run_report.h"
#include "platform/file_io.h"
#include "platform/text_codec.h"
#include "platform/virtual_keys.h"

namespace app {
namespace {

// The progress line is rewritten at most this often.
constexpr double kProgressIntervalMs = 250.0;
// The run's length is estimated once it has run this long and this many
// frames, when the first frames' one-off costs are behind it.
constexpr double kEstimateAfterMs = 10000.0;
constexpr int kEstimateAfterFrames = 5;
// A run expected to take longer than this is told so, on any renderer.
constexpr double kLongRunMs = 10.0 * 60.0 * 1000.0;

void ClearProgress(BenchmarkStart& start) {
  if (!start.progressShown) return;
  *start.err << '\r' << std::string(start.progressWidth, ' ') << '\r' << std::flush;
  start.progressShown = false;
}

bool SoftwareRenderer(const Application& ctx) {
  return bench::IsSoftwareRenderer(ctx.app.renderer);
}

// A software renderer draws the scene on the processor: a run measures that
// and takes long, since it draws at least one frame per keyframe. Settings
// that make it short are named unless the run already has them.
void TellAboutSoftwareRenderer(Application& ctx) {
  if (!SoftwareRenderer(ctx)) return;
  const bool small = ctx.app.viewportWidth * ctx.app.viewportHeight <= 160 * 120 &&
                     ctx.scene.detailLevel == 2 && ctx.app.anisotropy <= 1;
  *ctx.start.err << "morvandel-gauge: " << ctx.app.renderer
                 << " is a software renderer: the run measures the processor, not a graphics "
                    "card, and takes long, since it draws at least one frame for each of the "
                    "path's "
                 << ctx.player.keyframes.size() << " keyframes"
                 << (small ? "."
                           : ". A run of a few minutes: --size 160x120 --quality low "
                             "--anisotropy 1")
                 << '\n'
                 << std::flush;
}

// Once the first seconds are measured: how long the whole run will take, on
// a software renderer or when it is long.
void TellExpectedLength(Application& ctx, double nowMs, double remainingMs) {
  BenchmarkStart& start = ctx.start;
  const double elapsed = nowMs - ctx.player.startMs;
  if (start.lengthTold || elapsed < kEstimateAfterMs || ctx.player.frames < kEstimateAfterFrames)
    return;
  start.lengthTold = true;
  const double totalMs = elapsed + remainingMs;
  if (!SoftwareRenderer(ctx) && totalMs < kLongRunMs) return;
  const double fps = bench::AverageFps(ctx.player.frames, elapsed);
  ClearProgress(start);
  *start.err << "morvandel-gauge: at these settings the run takes about "
             << bench::FormatDuration(totalMs) << " ("
             << (bench::LapsPlanned(ctx.player) > 1
                     ? std::to_string(bench::LapsPlanned(ctx.player)) + " laps of "
                     : std::string())
             << ctx.player.keyframes.size() << " keyframes at " << bench::FormatFixed(fps, 1)
             << " FPS so far)\n"
             << std::flush;
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

std::string PsnrText(double db) {
  return std::isinf(db) ? std::string("identical") : bench::FormatFixed(db, 1) + " dB";
}

// Draws the reference views on this driver and compares them with the
// carried pictures; prints each view's PSNR and a verdict. True when every
// view passed.
bool Validate(Application& ctx) {
  BenchmarkStart& start = ctx.start;
  std::ostream& out = ctx.options.jsonPath == "-" ? *start.err : *start.out;
  const double began = NowMs(ctx.clock);
  const std::vector<ViewPicture> pictures =
      DrawReferencePictures(ctx, ctx.options.validateWithoutPalms);
  const std::vector<ViewVerdict> verdicts = start.checkReferences && !pictures.empty()
                                                ? start.checkReferences(pictures)
                                                : std::vector<ViewVerdict>{};
  if (verdicts.empty()) {
    *start.err << "morvandel-gauge: the reference views cannot be drawn here (no frame buffer "
                  "objects); nothing was validated\n";
    start.validated = false;
    return false;
  }
  std::vector<const ViewVerdict*> failed;
  for (const ViewVerdict& verdict : verdicts) {
    out << "  " << verdict.name
        << std::string(verdict.name.size() < 18 ? 18 - verdict.name.size() : 1, ' ')
        << PsnrText(verdict.psnrDb) << (verdict.passed ? "" : "  DIFFERS") << '\n';
    if (!verdict.passed) failed.push_back(&verdict);
  }
  const std::string seconds = bench::FormatFixed((NowMs(ctx.clock) - began) / 1000.0, 1);
  if (failed.empty()) {
    out << "Validation passed: all " << verdicts.size()
        << " reference views match the pictures drawn on Mesa's llvmpipe (at least "
        << bench::FormatFixed(bench::kValidPsnrDb, 0) << " dB), in " << seconds << " s.\n"
        << std::flush;
  } else {
    out << "Validation failed: " << failed.size() << " of " << verdicts.size()
        << " reference views differ (below " << bench::FormatFixed(bench::kValidPsnrDb, 0)
        << " dB): this driver does not draw the scene as it should, so its figures cannot be "
           "compared.\n";
    for (const ViewVerdict* verdict : failed) {
      if (verdict->savedPath) {
        out << "  " << verdict->name << ": your picture is " << *verdict->savedPath
            << ", the reference beside it\n";
      }
    }
    out << std::flush;
  }
  start.validated = failed.empty();
  return failed.empty();
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
  TellAboutSoftwareRenderer(ctx);
  if (!StartPlayback(ctx.player, ctx.stats, ctx.clock, {ctx.options.laps, ctx.options.warmup})) {
    return End(ctx, kExitRunFailed, "no camera path to fly: the run cannot start");
  }
  start.phase = BenchmarkStart::Phase::Playing;
  start.progressMs = ctx.player.startMs;
  start.progressFrames = 0;
  return false;
}

void ShowProgress(Application& ctx) {
  BenchmarkStart& start = ctx.start;
  const bench::BenchmarkPlayer& player = ctx.player;
  const double now = NowMs(ctx.clock);
  const std::optional<double> remainingMs = bench::EstimateRemainingMs(player, now);
  if (remainingMs) TellExpectedLength(ctx, now, *remainingMs);
  if (!start.progressOnTerminal) return;
  if (now - start.progressMs < kProgressIntervalMs) return;
  const double fps = (player.frames - start.progressFrames) / (now - start.progressMs) * 1000.0;
  const double percent = bench::RunProgressPercent(player);
  // The estimate waits for the first seconds, when the rate has settled.
  const bool settled =
      now - player.startMs >= kEstimateAfterMs && player.frames >= kEstimateAfterFrames;
  const std::string line =
      bench::FormatProgressLine(percent, fps, settled ? remainingMs : std::nullopt);
  // A shorter line than the last leaves no characters of it behind.
  const size_t width = std::max(line.size(), start.progressWidth);
  *start.err << '\r' << line << std::string(width - line.size(), ' ') << std::flush;
  start.progressWidth = width;
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
  report.water = ctx.settings.renderPass.value;
  report.anisotropy = ctx.app.anisotropy;
  report.softwareRenderer = bench::IsSoftwareRenderer(ctx.app.renderer);
  report.refreshHz = ctx.windows.GetRefreshRate();
  report.warmup = ctx.options.warmup;
  report.validated = ctx.start.validated;
  report.swapMayWaitForRefresh =
      ctx.settings.waitForRefresh.value != 0 || ctx.win.swapIntervalRefused;
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
  std::ostream& lines = *(jsonToOutput ? start.err : start.out);
  lines << bench::FormatResultLine(report) << '\n';
  if (report.result.laps.size() > 1) {
    lines << bench::StabilitySentence(report.result.lapFps,
                                      static_cast<int>(report.result.laps.size()))
          << '\n';
  }
  lines << std::flush;
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
        UploadRecord(url->empty() ? platform::Utf16ToUtf8(ctx.settings.compareUrl.value) : *url,
                     bench::FormatRunJson(report));
    if (!sent.page) return End(ctx, kExitRunFailed, "the result was not uploaded: " + sent.error);
    lines << *sent.page << '\n' << std::flush;
  }
  return End(ctx, start.validated == false ? kExitValidationFailed : 0, "");
}

}  // namespace

bool JsonTargetWritable(const std::optional<std::string>& jsonPath, std::ostream& err) {
  if (!jsonPath || *jsonPath == "-") return true;
  const std::string problem = platform::ReplaceFileProblem(*jsonPath);
  if (problem.empty()) return true;
  err << "morvandel-gauge: cannot write the JSON record to " << *jsonPath << ": " << problem
      << "; nothing was run\n"
      << std::flush;
  return false;
}

void PrepareBenchmarkStart(Application& ctx) {
  AppSettings& s = ctx.settings;
  const Options& options = ctx.options;
  // In memory only: a benchmark start stores nothing but its result.
  s.menuShown.value = 0;
  s.autopilotOn.value = 0;
  if (options.renderType) s.quality.value = *options.renderType;
  if (options.water) s.renderPass.value = *options.water;
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
      if (ctx.options.validate && !start.validated) {
        const bool passed = Validate(ctx);
        if (!ctx.options.run) return End(ctx, passed ? 0 : kExitValidationFailed, "");
      }
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
