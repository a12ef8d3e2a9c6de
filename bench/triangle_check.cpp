#include "bench/triangle_check.h"

namespace bench {

bool WantsSample(const TriangleCheck& check, int runFrame) {
  return !check.pending && runFrame > 0 && (runFrame - 1) % kTriangleSampleInterval == 0;
}

void NoteSampled(TriangleCheck& check, int counted) { check.pending = counted; }

void NoteAssembled(TriangleCheck& check, uint64_t assembled) {
  if (!check.pending) return;
  check.counted += *check.pending;
  check.assembled += static_cast<int64_t>(assembled);
  ++check.samples;
  check.pending.reset();
}

std::optional<double> AssembledPerCounted(const TriangleCheck& check) {
  if (check.samples == 0 || check.counted <= 0) return std::nullopt;
  return static_cast<double>(check.assembled) / static_cast<double>(check.counted);
}

}  // namespace bench
