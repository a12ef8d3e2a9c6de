// The container that carries the compressed string archive inside the
// program file: start marker, 4-byte little-endian uncompressed length, the
// LZARI stream, blank padding, end marker.
//
// The program finds the archive by searching its own file for the markers,
// so they must occur nowhere else in it: they exist only as scrambled bytes
// and are composed in memory when needed.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lang {

std::string ArchiveStartMarker();
std::string ArchiveEndMarker();

// The bytes between the end of the first start marker and the first end
// marker. Empty when a marker is missing or the end marker comes first.
std::optional<std::span<const uint8_t>> FindArchivePayload(std::span<const uint8_t> file);

// Reads the length header and decodes the stream that follows it. Fails on a
// payload shorter than the header and on every decoder failure.
bool DecodeArchivePayload(std::span<const uint8_t> payload, std::vector<uint8_t>& decoded);

// Offset of the first occurrence of `needle`, or haystack.size() when none.
size_t FindFirst(std::span<const uint8_t> haystack, std::string_view needle);

// Number of occurrences of `needle` in `haystack` (overlaps counted).
size_t CountOccurrences(std::span<const uint8_t> haystack, std::string_view needle);

}  // namespace lang
