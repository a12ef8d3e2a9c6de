// Properties that must hold for any bytes fed to the language parsers: the
// first byte chooses the parser (translation file, archive text, archive
// container), the rest is its input. Shared by the libFuzzer target and the
// replay of its seed corpus in the normal test run.
#pragma once

#include <cstdint>
#include <span>

namespace lang_test {

// Null when every property holds, otherwise a description of the first
// broken one.
const char* CheckLanguageBytes(std::span<const uint8_t> bytes);

}  // namespace lang_test
