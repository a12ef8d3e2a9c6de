// Start-up cost of the two interface sounds on the SDL output: opening the
// device, walking both files and converting them into the mixer's buffers.
// Run with SDL_AUDIODRIVER=dummy (or disk) where there is no sound card;
// without a device only the failed open is measured.
#include <benchmark/benchmark.h>

#include <memory>

#include "platform/sdl/sdl_audio_output.h"
#include "sound/interface_sounds.h"

namespace {

void BM_OpenDeviceAndCreateBothSounds(benchmark::State& state) {
  for (auto _ : state) {
    auto audio = std::make_unique<platform::sdl::SdlAudioOutput>();
    sound::SoundEffects effects;
    sound::CreateInterfaceSounds(*audio, effects);
    benchmark::DoNotOptimize(effects.click.buffers.data());
    state.PauseTiming();  // closing the device is not start-up
    audio.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenDeviceAndCreateBothSounds)->Unit(benchmark::kMillisecond);

void BM_CreateBothSoundsOnAnOpenDevice(benchmark::State& state) {
  platform::sdl::SdlAudioOutput audio;
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
