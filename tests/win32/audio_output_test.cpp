// The DirectSound output's rules that need no sound device: which sample
// formats become DirectSound buffers and how large, and an output that has
// nothing to play.
#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/win32_audio_output.h"

namespace {

using platform::AudioOpenResult;
using platform::PcmFormat;
using platform::win32::DirectSoundBufferBytes;
using platform::win32::DirectSoundFormat;
using platform::win32::DirectSoundOutput;

TEST(DirectSoundFormatTest, PlayableFormatsKeepTheirLayoutAndGetTheirByteRate) {
  // The byte rate given is ignored: a WAV file may state it wrongly.
  const PcmFormat cases[] = {
      {1, 1, 22050, 0, 1, 8},
      {1, 2, 44100, 176400, 4, 16},
      {1, 1, 100, 12345, 2, 16},
      {1, 2, 200000, 0, 2, 8},
  };
  for (const PcmFormat& format : cases) {
    SCOPED_TRACE(testing::Message() << format.channels << " x " << format.bitsPerSample
                                    << " bits at " << format.samplesPerSecond);
    const auto wave = DirectSoundFormat(format);
    ASSERT_TRUE(wave.has_value());
    EXPECT_EQ(wave->wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(wave->nChannels, format.channels);
    EXPECT_EQ(wave->nSamplesPerSec, format.samplesPerSecond);
    EXPECT_EQ(wave->wBitsPerSample, format.bitsPerSample);
    EXPECT_EQ(wave->nBlockAlign, format.blockAlign);
    EXPECT_EQ(wave->nAvgBytesPerSec, format.samplesPerSecond * format.blockAlign);
    EXPECT_EQ(wave->cbSize, 0);
  }
}

TEST(DirectSoundFormatTest, FormatsDirectSoundCannotPlayAreRefused) {
  const struct {
    const char* why;
    PcmFormat format;
  } cases[] = {
      {"floating point", {3, 1, 44100, 0, 4, 32}},  {"no channels", {1, 0, 44100, 0, 0, 16}},
      {"three channels", {1, 3, 44100, 0, 6, 16}},  {"24 bits", {1, 1, 44100, 0, 3, 24}},
      {"4 bits", {1, 1, 44100, 0, 1, 4}},           {"below 100 Hz", {1, 1, 99, 0, 2, 16}},
      {"above 200 kHz", {1, 1, 200001, 0, 2, 16}},  {"block too large", {1, 1, 44100, 0, 4, 16}},
      {"block too small", {1, 2, 44100, 0, 2, 16}}, {"no block", {1, 1, 44100, 0, 0, 8}},
  };
  for (const auto& c : cases) EXPECT_FALSE(DirectSoundFormat(c.format).has_value()) << c.why;
}

TEST(DirectSoundFormatTest, BuffersHoldWholeFramesWithinDirectSoundsSizes) {
  WAVEFORMATEX stereo16{};
  stereo16.nBlockAlign = 4;
  WAVEFORMATEX mono8{};
  mono8.nBlockAlign = 1;
  const struct {
    const WAVEFORMATEX& format;
    size_t sampleBytes;
    DWORD expected;
  } cases[] = {
      {stereo16, 4000, 4000},
      {stereo16, 4003, 4000},  // a partial frame is left out
      {stereo16, 7, 4},        // one frame: the smallest buffer
      {stereo16, 3, 0},        // not a frame
      {mono8, 3, 0},           // below the smallest buffer
      {mono8, 4, 4},
      {mono8, DSBSIZE_MAX, DSBSIZE_MAX},
      {mono8, size_t{DSBSIZE_MAX} + 1, 0},
      {stereo16, size_t{1} << 33, 0},  // does not wrap to a small size
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DirectSoundBufferBytes(c.format, c.sampleBytes), c.expected) << c.sampleBytes;
  }
}

TEST(DirectSoundOutputTest, NothingIsMadeBeforeOpenAndMissingBuffersAreLeftAlone) {
  // Not opened: no buffer, even for a playable format.
  DirectSoundOutput output;
  const std::vector<uint8_t> samples(400, 0x80);
  EXPECT_EQ(output.CreateBuffer({1, 1, 8000, 8000, 1, 8}, samples), 0u);
  // Open answers alike every time, with or without a sound card.
  const AudioOpenResult opened = output.Open();
  EXPECT_EQ(output.Open(), opened);
  // Buffers that do not exist (never made, or 0) are left alone.
  for (const platform::AudioBufferId buffer : {0u, 1u, 99u}) {
    output.Play(buffer);
    output.Stop(buffer);
    output.Rewind(buffer);
    EXPECT_FALSE(output.GetStatus(buffer).playing);
    EXPECT_FALSE(output.RestoreBuffer(buffer, samples));
    EXPECT_EQ(output.DuplicateBuffer(buffer), 0u);
    output.ReleaseBuffer(buffer);
  }
}

}  // namespace
