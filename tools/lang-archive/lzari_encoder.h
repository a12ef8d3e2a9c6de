// Encoder of the archive's LZARI stream (the program holds only the decoder).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace lang_archive {

// The compressed stream of `data` (without the length header), decodable by
// lang::LzariDecode with data.size() as the length.
std::vector<uint8_t> LzariEncode(std::span<const uint8_t> data);

}  // namespace lang_archive
