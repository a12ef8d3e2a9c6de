#include "app/benchmark_run.h"

#include "app/main_window.h"

namespace app {
namespace {

void StoreIfChanged(SettingsStore& store, SettingEntry<int>& entry, int value) {
  if (entry.value == value) return;
  entry.value = value;
  WriteSetting(store, entry);
}

}  // namespace

double NowMs(platform::Clock& clock) {
  return static_cast<double>(clock.Now()) * 1000000.0 / static_cast<double>(clock.Frequency()) *
         0.001;
}

bool StartRun(Application& ctx) {
  if (ctx.player.keyframes.empty()) return false;
  if (ctx.win.mainWindow) {
    ctx.win.mainWindow->SetBordered(false);
    ctx.win.mainWindow->SetAlwaysOnTop(true);
  }
  ApplyScreenType(ctx.windows, ctx.win, ctx.settings.screenChoice.value);
  return StartPlayback(ctx.player, ctx.stats, ctx.clock);
}

bool StartPlayback(bench::BenchmarkPlayer& player, bench::FrameStatistics& stats,
                   platform::Clock& clock, bench::RunPlan plan) {
  if (!bench::StartRun(player, NowMs(clock), plan)) return false;
  bench::RestartInterval(stats, bench::TickMs(clock.Now(), clock.Frequency()));
  return true;
}

void PlaybackFrame(Application& ctx) {
  const auto result = bench::PlaybackStep(ctx.player, NowMs(ctx.clock), ctx.app.camera);
  if (!result) return;
  if (ctx.options.benchmark) {
    // A benchmark start reports and ends the program instead of opening
    // the results page.
    WriteRunResult(ctx, *result);
    ctx.start.result = *result;
    return;
  }
  EndRun(ctx, *result);
}

void EndRun(Application& ctx, const bench::RunResult& result) {
  WriteRunResult(ctx, result);
  ctx.settings.menuShown.value = 1;
  ctx.menu.page = kResultsPage;
  gui::RequestRedraw(ctx.menu);
  LeaveRunWindowMode(ctx.windows, ctx.win);
}

void WriteRunResult(Application& ctx, const bench::RunResult& result) {
  AppSettings& s = ctx.settings;
  SettingsStore& store = ctx.store;
  s.lastRunSeconds.value = static_cast<float>(result.durationMs / 1000.0);
  s.lastAverageFps.value = static_cast<float>(result.averageFps);
  WriteSetting(store, s.lastRunSeconds);
  WriteSetting(store, s.lastAverageFps);
  StoreIfChanged(store, s.lastRunWidth, ctx.app.viewportWidth);
  StoreIfChanged(store, s.lastRunHeight, ctx.app.viewportHeight);
  StoreIfChanged(store, s.lastRunSamples, ctx.win.sampleCount);
  StoreIfChanged(store, s.lastRunQuality, ctx.scene.detailLevel);
  ctx.app.freshResult = true;
  s.lastHighestMegaTris.value = result.maxMegaTris;
  WriteSetting(store, s.lastHighestMegaTris);
}

void StopRun(Application& ctx) {
  bench::StopRun(ctx.player);
  LeaveRunWindowMode(ctx.windows, ctx.win);
}

void LeaveRunWindowMode(platform::WindowSystem& windows, WindowState& win) {
  if (!win.mainWindow) return;
  if (win.borderless) {
    ToggleBorderless(windows, win);
  } else {
    win.mainWindow->SetBordered(true);
    win.mainWindow->SetAlwaysOnTop(false);
  }
}

}  // namespace app
