// The RIFF walk over well-formed, odd and hostile WAV files.
#include "sound/wav_walk.h"

#include <gtest/gtest.h>

#include "tests/sound/wav_bytes.h"

namespace {

using sound_test::Chunk;
using sound_test::FmtBody;
using sound_test::Riff;

const std::string kPcm = "\x01\x02\x03\x04\x05\x06";  // three 16-bit mono frames

struct WalkCase {
  const char* name;
  std::string bytes;
  std::string samples;      // expected when it walks
  const char16_t* message;  // "not even RIFF" / "not a WAV", or null
  uint16_t bits = 16;
};

std::vector<WalkCase> WalkCases() {
  const Chunk fmt = sound_test::Fmt16Mono();
  const Chunk data{"data", kPcm};
  return {
      {"fmt then data", Riff({fmt, data}), kPcm, nullptr},
      {"data before fmt", Riff({data, fmt}), kPcm, nullptr},
      {"odd chunk padded", Riff({{"LIST", "abc"}, fmt, data}), kPcm, nullptr},
      {"odd data padded, fmt after it", Riff({{"data", "\x01\x02\x03"}, fmt}), "\x01\x02", nullptr},
      {"first fmt and first data count",
       Riff({fmt, data, {"fmt ", FmtBody(0, 0, 0)}, {"data", "zz"}}), kPcm, nullptr},
      {"14-byte fmt: frame size gives the sample size",
       Riff({{"fmt ", FmtBody(2, 22050, 8, 1, 14)}, {"data", "\x80\x80\x81\x7f"}}),
       "\x80\x80\x81\x7f", nullptr, 8},
      {"data size past the end is clipped to whole frames",
       Riff({fmt}, 0xFFFFFFFFu) + "data" + sound_test::U32(4000) + "\x01\x02\x03", "\x01\x02",
       nullptr},
      {"RIFF size past the end", Riff({fmt, data}, 0xFFFFFFFFu), kPcm, nullptr},
      {"empty", "", "", u"not even RIFF"},
      {"not RIFF", "RIFX" + Riff({fmt, data}).substr(4), "", u"not even RIFF"},
      {"not WAVE", Riff({fmt, data}, {}, "AVI "), "", u"not a WAV"},
      {"RIFF and nothing more", "RIFF\x04", "", u"not a WAV"},
      {"fmt shorter than 14", Riff({{"fmt ", FmtBody(1, 44100, 16, 1, 12)}, data}), "", nullptr},
      {"fmt past the end", Riff({data, {"fmt ", FmtBody(1, 44100, 16), 400}}), "", nullptr},
      {"no data", Riff({fmt}), "", nullptr},
      {"no fmt", Riff({data}), "", nullptr},
      {"RIFF size ends before data", Riff({fmt, data}, 4 + 24), "", nullptr},
      {"huge chunk size does not wrap", Riff({{"junk", "", 0xFFFFFFF7u}, fmt, data}), "", nullptr},
      {"data holds no whole frame", Riff({fmt, {"data", "\x01"}}), "", nullptr},
      {"zero channels", Riff({{"fmt ", FmtBody(0, 44100, 16)}, data}), "", nullptr},
      {"zero sample rate", Riff({{"fmt ", FmtBody(1, 0, 16)}, data}), "", nullptr},
      {"three channels", Riff({{"fmt ", FmtBody(3, 44100, 16)}, data}), "", nullptr},
      {"float samples", Riff({{"fmt ", FmtBody(1, 44100, 32, 3)}, data}), "", nullptr},
      {"24-bit samples", Riff({{"fmt ", FmtBody(1, 44100, 24)}, data}), "", nullptr},
      {"extensible format", Riff({{"fmt ", FmtBody(1, 44100, 16, 0xFFFE, 40)}, data}), "", nullptr},
      {"frame size disagrees",
       Riff({{"fmt ", FmtBody(1, 44100, 16).replace(12, 2, "\x04\x00", 2)}, data}), "", nullptr},
  };
}

TEST(WavWalkTest, WalksChunksAsTheyLie) {
  for (const WalkCase& c : WalkCases()) {
    SCOPED_TRACE(c.name);
    const auto bytes = sound_test::Bytes(c.bytes);
    const sound::WavWalk walk = sound::WalkWav(bytes);
    EXPECT_EQ(walk.ok, !c.samples.empty());
    EXPECT_EQ(std::string(walk.samples.begin(), walk.samples.end()), c.samples);
    if (walk.ok) {
      EXPECT_EQ(walk.format.bitsPerSample, c.bits);
      EXPECT_GE(walk.samples.data(), bytes.data()) << "samples point into the file";
      EXPECT_LE(walk.samples.data() + walk.samples.size(), bytes.data() + bytes.size());
    }
    if (c.message != nullptr) {
      ASSERT_TRUE(walk.message);
      EXPECT_EQ(*walk.message, (sound::SoundMessage{c.message, u"2"}));
    } else {
      EXPECT_FALSE(walk.message);
    }
  }
}

TEST(WavWalkTest, AFileCutAnywhereNeverReadsPastItsEnd) {
  // Every prefix on the heap of its own, so that a read past the end is
  // caught by the sanitizers.
  const std::string whole = Riff({{"LIST", "abc"}, sound_test::Fmt16Mono(), {"data", kPcm}});
  const size_t dataStart = whole.size() - kPcm.size();
  for (size_t length = 0; length <= whole.size(); ++length) {
    SCOPED_TRACE(length);
    const std::vector<uint8_t> cut(whole.begin(), whole.begin() + length);
    const sound::WavWalk walk = sound::WalkWav(cut);
    const size_t frames = length > dataStart ? (length - dataStart) / 2 : 0;
    EXPECT_EQ(walk.ok, frames > 0);
    EXPECT_EQ(walk.samples.size(), frames * 2);
  }
}

}  // namespace
