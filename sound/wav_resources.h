// The WAV files the program carries: "select.wav" (the menu click),
// "unwatambS.wav" (the underwater ambience) and "COMPSEL.WAV" (a confirm
// click, carried but not used).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace sound {

// The plain bytes of the named file, found without regard to case; empty
// when there is none of that name. The first call per file unscrambles it.
std::span<const uint8_t> FindWavResource(std::string_view name);

}  // namespace sound
