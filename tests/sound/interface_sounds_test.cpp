// The carried WAV files: found by name without regard to case, walked
// cleanly, pleasant to hear (no clipping, no DC, silent ends), and the
// effects the program creates from them.
#include "sound/interface_sounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/fake/recording_audio.h"
#include "platform/fake/recording_message_box.h"
#include "sound/wav_resources.h"
#include "tools/sound-effects/sound_synth.h"

namespace {

using Log = std::vector<std::string>;

std::vector<int16_t> Samples16(std::span<const uint8_t> bytes) {
  std::vector<int16_t> samples(bytes.size() / 2);
  std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
  return samples;
}

TEST(InterfaceSoundsTest, CarriedFilesAreTheGeneratorsFoundWithoutRegardToCase) {
  for (const synth::SoundFile& file : synth::SoundEffectFiles()) {
    SCOPED_TRACE(file.name);
    std::string upper = file.name, lower = file.name;
    std::ranges::transform(upper, upper.begin(), ::toupper);
    std::ranges::transform(lower, lower.begin(), ::tolower);
    const auto carried = sound::FindWavResource(file.name);
    EXPECT_TRUE(std::ranges::equal(carried, file.bytes)) << "the same bytes on every build";
    EXPECT_EQ(sound::FindWavResource(upper).data(), carried.data());
    EXPECT_EQ(sound::FindWavResource(lower).data(), carried.data());
  }
  EXPECT_TRUE(sound::FindWavResource("select.wa").empty());
  EXPECT_TRUE(sound::FindWavResource("").empty());
}

TEST(InterfaceSoundsTest, CarriedFilesWalkAndStayPleasant) {
  const struct {
    const char* name;
    size_t fileBytes;  // of the order of the program's first set
  } files[] = {{"select.wav", 5954}, {"unwatambS.wav", 34790}, {"COMPSEL.WAV", 6956}};
  for (const auto& f : files) {
    SCOPED_TRACE(f.name);
    const auto bytes = sound::FindWavResource(f.name);
    EXPECT_EQ(bytes.size(), f.fileBytes);
    const sound::WavWalk walk = sound::WalkWav(bytes);
    ASSERT_TRUE(walk.ok);
    EXPECT_EQ(walk.format.channels, 1);
    EXPECT_EQ(walk.format.samplesPerSecond, 44100u);
    EXPECT_EQ(walk.format.bitsPerSample, 16);
    const std::vector<int16_t> s = Samples16(walk.samples);
    int peak = 0;
    double sum = 0.0;
    for (int16_t v : s) {
      peak = std::max(peak, std::abs(int{v}));
      sum += v;
    }
    // Audible, yet with headroom for two effects at once.
    EXPECT_GT(peak, 32767 / 10);
    EXPECT_LT(peak, 32767 / 2);
    EXPECT_LT(std::abs(sum / s.size()), 1.0) << "no DC offset";
    // Starting and ending on silence, without a step: no click at the ends.
    EXPECT_EQ(s.front(), 0);
    EXPECT_EQ(s.back(), 0);
    EXPECT_LT(std::abs(int{s[1]}), 328) << "1 % of full scale";
    EXPECT_LT(std::abs(int{s[s.size() - 2]}), 328);
  }
}

TEST(InterfaceSoundsTest, StartUpCreatesClickAndAmbienceAndPlaysNeither) {
  platform::fake::RecordingAudio audio;
  platform::fake::RecordingMessageBox boxes;
  sound::SoundEffects effects;
  sound::CreateInterfaceSounds(audio, effects);
  EXPECT_EQ(audio.log(),
            (Log{"open", "create buffer 5910 bytes", "open", "create buffer 34746 bytes"}));
  EXPECT_TRUE(boxes.boxes().empty());
  audio.ClearLog();
  sound::PlayClickSound(audio, effects);
  EXPECT_EQ(audio.log(), Log{"play 1"});
}

TEST(InterfaceSoundsTest, MessagesOfAFailedBuildAreShown) {
  platform::fake::RecordingAudio audio;
  audio.openAnswer = platform::AudioOpenResult::OpenedSharingRefused;
  platform::fake::RecordingMessageBox boxes;
  sound::SoundEffect effect;
  EXPECT_FALSE(sound::CreateSoundEffect(audio, effect, "missing.wav"));
  ASSERT_EQ(boxes.boxes().size(), 3u);
  EXPECT_EQ(boxes.boxes()[0].text, u"Error DS_SND (1)");
  EXPECT_EQ(boxes.boxes()[0].caption, u"");
  EXPECT_EQ(boxes.boxes()[1].text, u"not even RIFF");
  EXPECT_EQ(boxes.boxes()[1].caption, u"2");
  EXPECT_EQ(boxes.boxes()[2].text, u"Error DS_SND (2)");
  EXPECT_EQ(boxes.boxes()[2].caption, u"");
}

}  // namespace
