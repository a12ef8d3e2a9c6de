// Building and playing effects over the recording audio output: the
// messages, the buffers made, and the free-buffer rule.
#include "sound/sound_effect.h"

#include <gtest/gtest.h>

#include "platform/fake/recording_audio.h"
#include "tests/sound/wav_bytes.h"

namespace {

using platform::fake::RecordingAudio;
using Log = std::vector<std::string>;
using Messages = std::vector<sound::SoundMessage>;

const std::string kWav = sound_test::Riff({sound_test::Fmt16Mono(), {"data", "\x01\x02\x03\x04"}});
const sound::SoundMessage kLevelRefused{u"Error DS_SND (1)", u""};
const sound::SoundMessage kBuildFailed{u"Error DS_SND (2)", u""};

TEST(SoundEffectTest, BuildReportsAsTheWalkAndTheOutputAnswer) {
  const struct {
    const char* name;
    std::string wav;
    platform::AudioOpenResult open;
    int createsAllowed;
    bool ok;
    Messages messages;
    Log log;
  } cases[] = {
      {"plays",
       kWav,
       platform::AudioOpenResult::Opened,
       -1,
       true,
       {},
       {"open", "create buffer 4 bytes"}},
      {"no device: silent, no message",
       kWav,
       platform::AudioOpenResult::NoDevice,
       -1,
       false,
       {},
       {"open"}},
      {"sharing refused is reported and the effect still built",
       kWav,
       platform::AudioOpenResult::OpenedSharingRefused,
       -1,
       true,
       {kLevelRefused},
       {"open", "create buffer 4 bytes"}},
      {"fmt shorter than 14: silent walk, then (2)",
       sound_test::Riff({{"fmt ", sound_test::FmtBody(1, 44100, 16, 1, 12)}, {"data", "ab"}}),
       platform::AudioOpenResult::Opened,
       -1,
       false,
       {kBuildFailed},
       {"open"}},
      {"not RIFF",
       "RIFX",
       platform::AudioOpenResult::Opened,
       -1,
       false,
       {{u"not even RIFF", u"2"}, kBuildFailed},
       {"open"}},
      {"not WAVE",
       sound_test::Riff({}, {}, "AVI "),
       platform::AudioOpenResult::Opened,
       -1,
       false,
       {{u"not a WAV", u"2"}, kBuildFailed},
       {"open"}},
      {"buffer refused",
       kWav,
       platform::AudioOpenResult::Opened,
       0,
       false,
       {kBuildFailed},
       {"open", "create buffer 4 bytes"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingAudio audio;
    audio.openAnswer = c.open;
    audio.createsAllowed = c.createsAllowed;
    sound::SoundEffect effect;
    const sound::SoundBuildResult result =
        sound::BuildSoundEffect(audio, effect, sound_test::Bytes(c.wav));
    EXPECT_EQ(result.ok, c.ok);
    EXPECT_EQ(result.messages, c.messages);
    EXPECT_EQ(audio.log(), c.log);
    EXPECT_EQ(effect.buffers.size(), c.ok ? 1u : 0u);
    audio.ClearLog();
    sound::PlaySoundEffect(audio, effect);
    EXPECT_EQ(audio.log(), c.ok ? Log{"play 1"} : Log{}) << "an empty effect plays nothing";
  }
}

TEST(SoundEffectTest, FurtherBuffersAreDuplicatedOrCreatedAnew) {
  const struct {
    const char* name;
    bool duplicateFails;
    int createsAllowed;
    bool ok;
    Log log;
  } cases[] = {
      {"duplicated",
       false,
       -1,
       true,
       {"open", "create buffer 4 bytes", "duplicate 1", "duplicate 1"}},
      {"created anew",
       true,
       -1,
       true,
       {"open", "create buffer 4 bytes", "duplicate 1", "create buffer 4 bytes", "duplicate 1",
        "create buffer 4 bytes"}},
      {"neither: all released",
       true,
       2,
       false,
       {"open", "create buffer 4 bytes", "duplicate 1", "create buffer 4 bytes", "duplicate 1",
        "create buffer 4 bytes", "release 1", "release 2"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingAudio audio;
    audio.duplicateFails = c.duplicateFails;
    audio.createsAllowed = c.createsAllowed;
    sound::SoundEffect effect;
    const auto result = sound::BuildSoundEffect(audio, effect, sound_test::Bytes(kWav), 3);
    EXPECT_EQ(result.ok, c.ok);
    EXPECT_EQ(audio.log(), c.log);
    EXPECT_EQ(effect.buffers.size(), c.ok ? 3u : 0u);
  }
}

TEST(SoundEffectTest, ACopyOfTheSamplesInTheFileFormat) {
  RecordingAudio audio;
  sound::SoundEffect effect;
  ASSERT_TRUE(sound::BuildSoundEffect(audio, effect, sound_test::Bytes(kWav)).ok);
  EXPECT_EQ(audio.samples(1), (std::vector<uint8_t>{1, 2, 3, 4}));
  EXPECT_EQ(audio.format(1).samplesPerSecond, 44100u);
  EXPECT_EQ(audio.format(1).channels, 1u);
  EXPECT_EQ(audio.format(1).bitsPerSample, 16u);
}

class FreeBufferTest : public ::testing::Test {
 protected:
  void Build(int buffers) {
    ASSERT_TRUE(sound::BuildSoundEffect(audio_, effect_, sound_test::Bytes(kWav), buffers).ok);
    audio_.ClearLog();
  }
  RecordingAudio audio_;
  sound::SoundEffect effect_;
};

TEST_F(FreeBufferTest, OneBufferStillPlayingPlaysNothing) {
  Build(1);
  sound::PlaySoundEffect(audio_, effect_);
  sound::PlaySoundEffect(audio_, effect_);  // a second click at once
  EXPECT_EQ(audio_.log(), Log{"play 1"});
  audio_.SetPlaying(1, false);
  sound::PlaySoundEffect(audio_, effect_);
  EXPECT_EQ(audio_.log(), (Log{"play 1", "play 1"})) << "once it has ended it plays again";
}

TEST_F(FreeBufferTest, TwoBuffersAlternateAndAPlayingOneIsStoppedAndRewound) {
  Build(2);
  sound::PlaySoundEffect(audio_, effect_);
  sound::PlaySoundEffect(audio_, effect_);
  EXPECT_EQ(audio_.log(), (Log{"play 1", "play 2"}));
  sound::PlaySoundEffect(audio_, effect_);  // both still playing
  EXPECT_EQ(audio_.log(), (Log{"play 1", "play 2", "stop 1", "rewind 1", "play 1"}));
  EXPECT_EQ(effect_.current, 0);
}

TEST_F(FreeBufferTest, LostSamplesAreRestoredBeforePlaying) {
  Build(1);
  audio_.SetLost(1, true);
  sound::PlaySoundEffect(audio_, effect_);
  EXPECT_EQ(audio_.log(), (Log{"restore 1", "play 1"}));
  EXPECT_EQ(audio_.samples(1), (std::vector<uint8_t>{1, 2, 3, 4}));

  audio_.ClearLog();
  audio_.SetPlaying(1, false);
  audio_.SetLost(1, true);
  audio_.restoreFails = true;
  sound::PlaySoundEffect(audio_, effect_);
  EXPECT_EQ(audio_.log(), Log{"restore 1"}) << "no buffer free when it cannot be restored";
}

}  // namespace
