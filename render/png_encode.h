// PNG files from pixel rows in memory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace render {

// RGB rows, top row first, 3 bytes per pixel without padding. Empty when the
// picture is empty or does not match its size.
std::string EncodePngRgb(const std::vector<uint8_t>& rgb, int width, int height);

}  // namespace render
