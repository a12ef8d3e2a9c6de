// The scene's placement generator: state * 214013 + 2531011 modulo 2^32,
// output (state >> 16) & 0x7FFF, as the classic Windows C library's rand.
// Written out here because this platform's rand is a different generator.
// The colour-map painting seeds it with 2; object placement continues from
// the state the painting leaves, so the record lives with the terrain.
#pragma once

#include <cstdint>

namespace scene {

struct SceneRandom {
  uint32_t state = 1;
};

inline void SeedSceneRandom(SceneRandom& random, uint32_t seed) { random.state = seed; }

// One output in 0 ... 32767.
inline int NextSceneRandom(SceneRandom& random) {
  random.state = random.state * 214013u + 2531011u;
  return static_cast<int>((random.state >> 16) & 0x7FFFu);
}

}  // namespace scene
