// Decoder of the LZARI stream that carries the string archive.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace lang {

// Largest uncompressed length the decoder accepts.
inline constexpr size_t kMaxDecodedLength = 16u << 20;

// Decodes `length` bytes from the stream into `out` (resized to exactly
// `length`). Never reads outside `stream` and never writes more than
// `length` bytes. Fails (returns false, `out` cleared) on a length above
// kMaxDecodedLength and on a stream that is truncated or damaged: a match
// runs past the stored length, or more than a few bits past the end of the
// stream would be needed. (Damage elsewhere decodes to wrong bytes: the
// stream carries no checksum.)
bool LzariDecode(std::span<const uint8_t> stream, size_t length, std::vector<uint8_t>& out);

}  // namespace lang
