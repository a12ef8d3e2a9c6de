// Start-up cost of the two interface sounds on the SDL output: starting the
// device's opening, walking both files and keeping their samples. Run it
// with the default driver, and with SDL_AUDIODRIVER=dummy (or disk) for a
// machine with a device. The device itself opens on a thread of its own;
// the first click waits for it and converts the click for the device.
#include <benchmark/benchmark.h>

#include <memory>

#include "platform/sdl/sdl_audio_output.h"
#include "sound/interface_sounds.h"

namespace {

// Each new output opens its device, tens of milliseconds where SDL has to
// search for one, mostly outside the measured time: a fixed count keeps the
// run short.
constexpr int kNewOutputs = 40;

void BM_CreateBothSoundsOnANewOutput(benchmark::State& state) {
  for (auto _ : state) {
    auto audio = std::make_unique<platform::sdl::SdlAudioOutput>();
    sound::SoundEffects effects;
    sound::CreateInterfaceSounds(*audio, effects);
    benchmark::DoNotOptimize(effects.click.buffers.data());
    state.PauseTiming();  // the opening's end and the closing are not start-up
    audio.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_CreateBothSoundsOnANewOutput)->Unit(benchmark::kMillisecond)->Iterations(kNewOutputs);

// The worst first click: played straight after start-up, it waits for the
// whole opening.
void BM_FirstClickRightAfterStartUp(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto audio = std::make_unique<platform::sdl::SdlAudioOutput>();
    sound::SoundEffects effects;
    state.ResumeTiming();
    sound::CreateInterfaceSounds(*audio, effects);
    sound::PlayClickSound(*audio, effects);
    state.PauseTiming();
    audio.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FirstClickRightAfterStartUp)->Unit(benchmark::kMillisecond)->Iterations(kNewOutputs);

// The usual first click: the device opened long before.
void BM_FirstClickOnAnOpenDevice(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto audio = std::make_unique<platform::sdl::SdlAudioOutput>();
    sound::SoundEffects effects;
    sound::CreateInterfaceSounds(*audio, effects);
    audio->WaitForDevice();
    state.ResumeTiming();
    sound::PlayClickSound(*audio, effects);
    state.PauseTiming();
    audio.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FirstClickOnAnOpenDevice)->Unit(benchmark::kMillisecond)->Iterations(kNewOutputs);

void BM_CreateBothSoundsOnAnOpenDevice(benchmark::State& state) {
  platform::sdl::SdlAudioOutput audio;
  audio.Open();
  audio.WaitForDevice();
  for (auto _ : state) {
    sound::SoundEffects effects;
    sound::CreateInterfaceSounds(audio, effects);
    benchmark::DoNotOptimize(effects.click.buffers.data());
    state.PauseTiming();
    sound::ReleaseSoundEffect(audio, effects.click);
    sound::ReleaseSoundEffect(audio, effects.ambience);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_CreateBothSoundsOnAnOpenDevice)->Unit(benchmark::kMillisecond);

}  // namespace
