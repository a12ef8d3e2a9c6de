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
}

TEST(SdlAudioOutputTest, NoDeviceMeansSilenceWithoutAMessage) {
  test_support::EnvGuard env{"SDL_AUDIODRIVER"};
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  platform::fake::RecordingMessageBox boxes;
  platform::sdl::SdlAudioOutput audio;
  sound::SoundEffects effects;
  sound::CreateInterfaceSounds(audio, effects);
  EXPECT_TRUE(effects.click.buffers.empty());
  EXPECT_TRUE(effects.ambience.buffers.empty());
  sound::PlayClickSound(audio, effects);
  EXPECT_TRUE(boxes.boxes().empty());
  EXPECT_EQ(audio.CreateBuffer(effects.click.format, sound::FindWavResource("select.wav")), 0u);
}

}  // namespace
