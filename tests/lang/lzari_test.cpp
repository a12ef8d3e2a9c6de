#include "lang/lzari.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "lang/archive_container.h"
#include "tools/lang-archive/archive_text.h"
#include "tools/lang-archive/lzari_encoder.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes RealArchiveText() {
  lang_archive::ArchiveSources sources;
  std::string error;
  EXPECT_TRUE(lang_archive::ReadArchiveSources(MG_LANG_SOURCE_DIR, sources, error)) << error;
  return lang_archive::AssembleArchiveText(sources);
}

// Random bytes with repeats: runs of one byte (overlapping matches), copies
// from up to a whole ring back, and stretches of blanks that match the
// pre-filled ring.
Bytes MixedData(size_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  Bytes data;
  while (data.size() < size) {
    switch (rng() % 4) {
      case 0:
        for (int i = rng() % 40; i > 0; --i) data.push_back(static_cast<uint8_t>(rng()));
        break;
      case 1:
        data.insert(data.end(), rng() % 100, static_cast<uint8_t>(rng()));
        break;
      case 2:
        if (!data.empty()) {
          const size_t back = 1 + rng() % std::min<size_t>(data.size(), 4096);
          const size_t start = data.size() - back;
          for (size_t i = 0, n = rng() % 80; i < n; ++i) data.push_back(data[start + i]);
        }
        break;
      default:
        data.insert(data.end(), rng() % 70, ' ');
    }
  }
  data.resize(size);
  return data;
}

Bytes RandomBytes(size_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  Bytes data(size);
  for (uint8_t& b : data) b = static_cast<uint8_t>(rng());
  return data;
}

void ExpectRoundTrip(const Bytes& data) {
  const Bytes stream = lang_archive::LzariEncode(data);
  Bytes decoded;
  ASSERT_TRUE(lang::LzariDecode(stream, data.size(), decoded)) << "length " << data.size();
  EXPECT_TRUE(decoded == data) << "length " << data.size();
}

TEST(LzariTest, RoundTripsTheArchiveText) {
  const Bytes text = RealArchiveText();
  ASSERT_GT(text.size(), 1000u);
  const Bytes stream = lang_archive::LzariEncode(text);
  EXPECT_LT(stream.size(), text.size() / 2);
  ExpectRoundTrip(text);
}

TEST(LzariTest, RoundTripsAroundRingAndFrequencyBoundaries) {
  // 4036/4096: where writing starts and the ring wraps; 60/61: the longest
  // match; about 32,450 literals: the first halving of the frequencies.
  const size_t lengths[] = {0,    1,    2,    3,    59,   60,    61,    4035,  4036,
                            4037, 4095, 4096, 4097, 8192, 32450, 32453, 32454, 100000};
  for (size_t length : lengths) {
    ExpectRoundTrip(RandomBytes(length, static_cast<uint32_t>(length)));
    ExpectRoundTrip(MixedData(length, static_cast<uint32_t>(length) + 7));
    ExpectRoundTrip(Bytes(length, ' '));
  }
}

TEST(LzariTest, TruncatedStreamsFail) {
  const Bytes data = MixedData(20000, 3);
  const Bytes stream = lang_archive::LzariEncode(data);
  for (size_t keep : {size_t{0}, size_t{1}, stream.size() / 3, stream.size() - 8}) {
    Bytes decoded{1, 2, 3};
    EXPECT_FALSE(lang::LzariDecode(std::span(stream).first(keep), data.size(), decoded)) << keep;
    EXPECT_TRUE(decoded.empty());
  }
}

// Damaged streams must end in a clean failure or in exactly the stored
// number of bytes, never in a read or write outside the buffers (the
// sanitizer build checks that).
TEST(LzariTest, CorruptStreamsStayInBounds) {
  const Bytes data = MixedData(12000, 5);
  const Bytes stream = lang_archive::LzariEncode(data);
  std::mt19937 rng(11);
  for (int trial = 0; trial < 200; ++trial) {
    Bytes damaged = stream;
    for (int k = 0; k < 1 + trial % 4; ++k) damaged[rng() % damaged.size()] ^= 1 + rng() % 255;
    Bytes decoded;
    if (lang::LzariDecode(damaged, data.size(), decoded)) {
      EXPECT_EQ(decoded.size(), data.size());
    } else {
      EXPECT_TRUE(decoded.empty());
    }
  }
  for (uint8_t fill : {0x00, 0xFF}) {
    Bytes decoded;
    EXPECT_FALSE(lang::LzariDecode(Bytes(64, fill), 1 << 20, decoded)) << int(fill);
  }
}

TEST(LzariTest, RefusesLengthsAboveSixteenMebibytes) {
  Bytes decoded;
  EXPECT_FALSE(lang::LzariDecode(Bytes(100, ' '), lang::kMaxDecodedLength + 1, decoded));
  const Bytes header = {0xFF, 0xFF, 0xFF, 0xFF, 0x20, 0x20};
  EXPECT_FALSE(lang::DecodeArchivePayload(header, decoded));
  EXPECT_FALSE(lang::DecodeArchivePayload(Bytes{1, 0, 0}, decoded));
}

}  // namespace
