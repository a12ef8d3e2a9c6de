// Files carried inside the executable (images, shader texts, model texts,
// data). The build stores each one scrambled in writable data with its 32-bit
// length (cmake/EmbeddedFiles.cmake); it is unscrambled in place once, before
// its first use, and never written back.
#pragma once

#include <cstdint>
#include <span>

namespace render {

// The scrambling key every embedded file is stored with.
inline constexpr int kEmbeddedFileKey = 128;

// byte[i] = (byte[i] - key) mod 256 for i in [0, length). A length of 0 or
// less changes nothing. Always returns 1. With key 128 the rule is its own
// inverse.
int Unscramble(uint8_t* bytes, int32_t length, int key);

class EmbeddedFile {
 public:
  // `bytes` holds `*length` stored bytes followed by one spare NUL byte, so a
  // text may be terminated at its length.
  constexpr EmbeddedFile(uint8_t* bytes, const int32_t* length) : bytes_(bytes), length_(length) {}

  int32_t length() const { return *length_; }
  bool unscrambled() const { return unscrambled_; }

  // The bytes as they lie now (scrambled until the first Unscrambled call).
  std::span<uint8_t> stored() { return {bytes_, static_cast<size_t>(length())}; }

  // The plain file. The first call unscrambles in place; later calls return
  // the same bytes. Each file belongs to one loader, so no lock is taken.
  std::span<uint8_t> Unscrambled();

 private:
  uint8_t* bytes_;
  const int32_t* length_;
  bool unscrambled_ = false;
};

struct NamedEmbeddedFile {
  const char* name;
  EmbeddedFile* file;
};

}  // namespace render
