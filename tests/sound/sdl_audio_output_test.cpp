// The SDL output on SDL's own drivers: the disk driver writes exactly what
// the mixer plays into a file; a driver that does not exist stands for a
// machine without sound.
#include "platform/sdl/sdl_audio_output.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/fake/recording_message_box.h"
#include "sound/interface_sounds.h"
#include "sound/wav_resources.h"
#include "tests/support/env_guard.h"
#include "tests/support/test_files.h"

namespace {

TEST(SdlAudioOutputTest, DiskDriverCapturesTheClickSampleForSample) {
  test_support::EnvGuard env{"SDL_AUDIODRIVER", "SDL_DISKAUDIOFILE"};
  test_support::ScratchFolder folder;
  const auto captured = folder.path() / "played.raw";
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", captured.c_str(), 1);
  platform::fake::RecordingMessageBox boxes;
  const sound::WavWalk click = sound::WalkWav(sound::FindWavResource("select.wav"));
  ASSERT_TRUE(click.ok);
  {
    // The device in the click's own format: what the file holds is what
    // the mixer wrote, unconverted.
    platform::sdl::SdlAudioOutput audio(44100, 1);
    sound::SoundEffects effects;
    ASSERT_TRUE(sound::CreateSoundEffect(audio, effects.click, "select.wav"));
    sound::PlayClickSound(audio, effects);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (audio.GetStatus(effects.click.buffers[0]).playing &&
           std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_FALSE(audio.GetStatus(effects.click.buffers[0]).playing) << "the click ends";
  }  // closing the device writes the rest of the file
  EXPECT_TRUE(boxes.boxes().empty());
  const std::string played = test_support::ReadBytes(captured);
  const std::string expected(click.samples.begin(), click.samples.end());
  EXPECT_NE(played.find(expected), std::string::npos)
      << "the click's samples, unchanged, in " << played.size() << " bytes played";
}

// Every format the WAV reader accepts is converted for the device and plays
// to its end.
TEST(SdlAudioOutputTest, EveryPlayableFormatPlaysToItsEnd) {
  test_support::EnvGuard env{"SDL_AUDIODRIVER"};
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  platform::sdl::SdlAudioOutput audio;
  ASSERT_EQ(audio.Open(), platform::AudioOpenResult::Opened);
  ASSERT_TRUE(audio.WaitForDevice());
  for (const uint16_t bits : {8, 16}) {
    for (const uint16_t channels : {1, 2}) {
      for (const uint32_t rate : {11025u, 22050u, 48000u}) {
        SCOPED_TRACE(testing::Message() << bits << " bits, " << channels << " channels, " << rate);
        const uint16_t align = static_cast<uint16_t>(channels * bits / 8);
        const platform::PcmFormat format{1, channels, rate, rate * align, align, bits};
        // 20 ms of a quiet square wave.
        std::vector<uint8_t> samples(rate / 50 * align);
        for (size_t i = 0; i < samples.size(); ++i) {
          samples[i] =
              bits == 8 ? (i / 64 % 2 ? 0x90 : 0x70) : (i % 2 ? (i / 128 % 2 ? 8 : 0xF8) : 0);
        }
        const platform::AudioBufferId buffer = audio.CreateBuffer(format, samples);
        ASSERT_NE(buffer, 0u);
        audio.Play(buffer);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (audio.GetStatus(buffer).playing && std::chrono::steady_clock::now() < deadline) {
          std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        EXPECT_FALSE(audio.GetStatus(buffer).playing);
        audio.ReleaseBuffer(buffer);
      }
    }
  }
  // Refused when made, not when first played.
  const std::vector<uint8_t> some(64, 0);
  const platform::PcmFormat refused[] = {{1, 1, 44100, 132300, 3, 24},
                                         {3, 1, 44100, 176400, 4, 32},
                                         {1, 0, 44100, 0, 0, 16},
                                         {1, 1, 0, 0, 2, 16}};
  for (const platform::PcmFormat& format : refused) {
    EXPECT_EQ(audio.CreateBuffer(format, some), 0u)
        << format.formatTag << "/" << format.bitsPerSample;
  }
  EXPECT_EQ(audio.CreateBuffer({1, 1, 44100, 88200, 2, 16}, {}), 0u) << "no samples";
}

// The device opens in the background, so the effects are built before
// anyone knows whether there is one; without one they stay silent.
TEST(SdlAudioOutputTest, NoDeviceMeansSilenceWithoutAMessage) {
  test_support::EnvGuard env{"SDL_AUDIODRIVER"};
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  platform::fake::RecordingMessageBox boxes;
  platform::sdl::SdlAudioOutput audio;
  sound::SoundEffects effects;
  sound::CreateInterfaceSounds(audio, effects);
  ASSERT_EQ(effects.click.buffers.size(), 1u);
  ASSERT_EQ(effects.ambience.buffers.size(), 1u);
  for (int i = 0; i < 2; ++i) {
    sound::PlayClickSound(audio, effects);
    EXPECT_FALSE(audio.GetStatus(effects.click.buffers[0]).playing);
  }
  EXPECT_FALSE(audio.WaitForDevice());
  EXPECT_TRUE(boxes.boxes().empty());
  // Effects made once the opening has failed behave the same.
  sound::SoundEffect late;
  EXPECT_TRUE(sound::CreateSoundEffect(audio, late, "COMPSEL.WAV", 2));
  sound::PlaySoundEffect(audio, late);
  EXPECT_FALSE(audio.GetStatus(late.buffers[0]).playing);
  EXPECT_TRUE(boxes.boxes().empty());
}

// Buffers are made, copied, stopped and dropped on the calling thread while
// the device opens on its own thread and, later, while SDL's thread mixes
// them. Run under the sanitizers, a buffer freed under the mixer shows here.
TEST(SdlAudioOutputTest, BuffersChangeWhileTheDeviceOpensAndMixes) {
  test_support::EnvGuard env{"SDL_AUDIODRIVER"};
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  const sound::WavWalk click = sound::WalkWav(sound::FindWavResource("select.wav"));
  ASSERT_TRUE(click.ok);
  platform::sdl::SdlAudioOutput audio;
  audio.Open();
  auto churn = [&] {
    for (int i = 0; i < 50; ++i) {
      const platform::AudioBufferId made = audio.CreateBuffer(click.format, click.samples);
      ASSERT_NE(made, 0u);
      const platform::AudioBufferId copy = audio.DuplicateBuffer(made);
      ASSERT_NE(copy, 0u);
      audio.Rewind(copy);
      audio.Stop(made);
      EXPECT_FALSE(audio.GetStatus(made).playing);
      audio.ReleaseBuffer(made);
      audio.ReleaseBuffer(copy);
    }
  };
  churn();

  std::vector<platform::AudioBufferId> playing;
  for (int i = 0; i < 4; ++i) {
    playing.push_back(audio.CreateBuffer(click.format, click.samples));
    audio.Play(playing.back());
  }
  ASSERT_TRUE(audio.WaitForDevice());
  churn();
  // Refilled, stopped and released while the mixer may be inside them.
  EXPECT_TRUE(audio.RestoreBuffer(playing[0], click.samples));
  audio.Stop(playing[1]);
  EXPECT_FALSE(audio.GetStatus(playing[1]).playing);
  audio.ReleaseBuffer(playing[2]);
  EXPECT_FALSE(audio.GetStatus(playing[2]).playing);
  const platform::AudioBufferId again = audio.DuplicateBuffer(playing[3]);
  audio.Play(again);
  for (const platform::AudioBufferId buffer : {playing[0], playing[3], again}) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (audio.GetStatus(buffer).playing && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_FALSE(audio.GetStatus(buffer).playing) << "buffer " << buffer << " ends";
  }
}

// Released before the opening ends: the output still closes cleanly.
TEST(SdlAudioOutputTest, OutputGoesAwayWhileItsDeviceOpens) {
  test_support::EnvGuard env{"SDL_AUDIODRIVER"};
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  for (int i = 0; i < 3; ++i) {
    platform::sdl::SdlAudioOutput audio;
    sound::SoundEffects effects;
    sound::CreateInterfaceSounds(audio, effects);
  }
  platform::sdl::SdlAudioOutput unopened;
  const sound::WavWalk click = sound::WalkWav(sound::FindWavResource("select.wav"));
  const platform::AudioBufferId buffer = unopened.CreateBuffer(click.format, click.samples);
  unopened.Play(buffer);
  EXPECT_FALSE(unopened.GetStatus(buffer).playing) << "never opened, never plays";
}

}  // namespace
