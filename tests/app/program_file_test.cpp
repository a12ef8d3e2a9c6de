#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "embedded/render.h"
#include "embedded/terrain.h"

namespace {

std::string ReadProgram() {
  std::ifstream in(MG_PROGRAM_PATH, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every image, shader and data file the program carries is stored scrambled:
// the program file holds no plain copy of any of them.
TEST(ProgramFileTest, EmbeddedFilesAreStoredScrambled) {
  const std::string program = ReadProgram();
  ASSERT_GT(program.size(), 1000000u);
  // Built at run time so that this test's own file holds no copy.
  volatile int key = 128;
  std::string pngSignature = "\x09\xD0\xCE\xC7\x8D\x8A\x9A\x8A";
  for (char& c : pngSignature) c = static_cast<char>(c - key);
  EXPECT_EQ(program.find(pngSignature), std::string::npos);

  int checked = 0;
  for (const auto group : {embedded::render_files(), embedded::terrain_files()}) {
    for (const render::NamedEmbeddedFile& named : group) {
      SCOPED_TRACE(named.name);
      std::vector<uint8_t> plain(named.file->stored().begin(), named.file->stored().end());
      if (!named.file->unscrambled()) {
        render::Unscramble(plain.data(), static_cast<int32_t>(plain.size()), 128);
      }
      const size_t head = std::min<size_t>(plain.size(), 64);
      ASSERT_GE(head, 16u);
      EXPECT_EQ(program.find(std::string(plain.begin(), plain.begin() + head)), std::string::npos);
      ++checked;
    }
  }
  EXPECT_GE(checked, 10);
}

}  // namespace
