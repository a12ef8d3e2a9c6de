// The recorded camera path a benchmark run flies: keyframes of position,
// view angles and time, read from their little-endian file layout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace bench {

// One pose on the path; 32 bytes on disk: x, y, z, yaw, pitch, yaw2 as
// floats (angles in radians), then timeMs as a double.
struct Keyframe {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
  float yaw = 0.0f;
  float pitch = 0.0f;
  float yaw2 = 0.0f;
  double timeMs = 0.0;  // milliseconds on the recording clock
};

inline constexpr size_t kPathHeaderBytes = 4;  // skipped when reading
inline constexpr size_t kKeyframeBytes = 32;

struct PathLoadResult {
  int keyframes = 0;  // appended; 0 when the bytes were refused
  std::string error;  // why they were refused, empty on success
};

// Appends (size - 4) / 32 keyframes read from offset 4. Refuses, appending
// nothing, bytes that are not a header and whole keyframes, at least two,
// with finite values and strictly rising times: playback divides by the
// time between neighbours.
PathLoadResult LoadBenchmarkPath(std::span<const uint8_t> bytes, std::vector<Keyframe>& keyframes);

// The file layout: a zero header, then each keyframe.
std::vector<uint8_t> EncodeBenchmarkPath(const std::vector<Keyframe>& keyframes);

}  // namespace bench
