// The result record's travel form: Base64 both ways, the flattening rules
// and the round trip the comparison server relies on.
#include "bench/result_codec.h"

#include <gtest/gtest.h>

namespace {

TEST(ResultCodecTest, Base64MatchesKnownVectors) {
  const struct {
    const char* plain;
    const char* encoded;
  } cases[] = {{"", ""},
               {"f", "Zg=="},
               {"fo", "Zm8="},
               {"foo", "Zm9v"},
               {"foob", "Zm9vYg=="},
               {"fooba", "Zm9vYmE="},
               {"foobar", "Zm9vYmFy"},
               {"\xff\xfe>", "//4+"}};
  for (const auto& c : cases) {
    EXPECT_EQ(bench::Base64Encode(c.plain), c.encoded) << c.plain;
    EXPECT_EQ(bench::Base64Decode(c.encoded), std::string(c.plain)) << c.encoded;
  }
}

TEST(ResultCodecTest, Base64RefusesMalformedText) {
  for (const char* bad : {"Zg=", "Zg===", "Z===", "=Zg=", "Zm9v!A==", "Zg==Zg==", "Zm=v", "Zm8 "})
    EXPECT_FALSE(bench::Base64Decode(bad).has_value()) << bad;
}

TEST(ResultCodecTest, FlatteningTurnsLinesIntoPairs) {
  EXPECT_EQ(bench::FlattenRecord("Version:2.33\nA:x=y\r\nB:a&b\n\nC:1"),
            "Version=2.33&A=x-y&B=ab&&C=1");
}

TEST(ResultCodecTest, EncodedRecordIsBase64OfReversedBase64AndDecodesBack) {
  const std::string flat = "MSA=4&Mode=1&FPS=59.812345&GL_RENDERER=llvmpipe <x> \"q\"";
  std::string inner = bench::Base64Encode(flat);
  const std::string expected = bench::Base64Encode(std::string(inner.rbegin(), inner.rend()));
  EXPECT_EQ(bench::EncodeFlattenedRecord(flat), expected);
  EXPECT_EQ(bench::DecodeFlattenedRecord(expected), flat);
  EXPECT_FALSE(bench::DecodeFlattenedRecord("not base64!").has_value());
  // The outer layer decodes, the inner (reversed) one does not.
  EXPECT_FALSE(bench::DecodeFlattenedRecord(bench::Base64Encode("ab!c")).has_value());
}

}  // namespace
