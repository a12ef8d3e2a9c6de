// The program's triangle counting checked against GL. On a sample of a run's
// frames GL counts the primitives it assembled while the scene was drawn;
// the answer is read a frame later, so that asking never stalls the
// pipeline. Pure: the GL query lives in render/primitive_query.h.
#pragma once

#include <cstdint>
#include <optional>

namespace bench {

// Every this many counted frames of a run, starting with the first.
inline constexpr int kTriangleSampleInterval = 32;

struct TriangleCheck {
  int64_t counted = 0;    // triangles the program counted in the frames read back
  int64_t assembled = 0;  // primitives GL assembled in those frames
  int samples = 0;
  // The counted triangles of the sampled frame whose answer is awaited.
  std::optional<int> pending;
};

// Whether the run's counted frame number `runFrame` (1 for the first) is
// sampled: the first and every kTriangleSampleInterval-th after it, while no
// earlier answer is awaited.
bool WantsSample(const TriangleCheck& check, int runFrame);

// A sampled frame was drawn with this many counted triangles.
void NoteSampled(TriangleCheck& check, int counted);

// GL's answer for the awaited frame; ignored when none is awaited.
void NoteAssembled(TriangleCheck& check, uint64_t assembled);

// Assembled per counted over the frames read back; empty without any, or
// when they counted no triangles.
std::optional<double> AssembledPerCounted(const TriangleCheck& check);

}  // namespace bench
