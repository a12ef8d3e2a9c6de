#include "tools/asset-common/asset_noise.h"

#include <cmath>

namespace asset {

uint32_t Hash(int32_t x, int32_t y, uint32_t seed) {
  uint32_t h = seed * 0x9E3779B9u;
  h ^= static_cast<uint32_t>(x) * 0x85EBCA6Bu;
  h = (h << 13) | (h >> 19);
  h ^= static_cast<uint32_t>(y) * 0xC2B2AE35u;
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return h;
}

float HashUnit(int32_t x, int32_t y, uint32_t seed) {
  return static_cast<float>(Hash(x, y, seed) >> 8) / 16777216.0f;
}

float ValueNoise(float x, float y, uint32_t seed) {
  const float fx = std::floor(x), fy = std::floor(y);
  const int32_t ix = static_cast<int32_t>(fx), iy = static_cast<int32_t>(fy);
  float tx = x - fx, ty = y - fy;
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  const float a = HashUnit(ix, iy, seed), b = HashUnit(ix + 1, iy, seed);
  const float c = HashUnit(ix, iy + 1, seed), d = HashUnit(ix + 1, iy + 1, seed);
  const float top = a + (b - a) * tx;
  const float bottom = c + (d - c) * tx;
  return top + (bottom - top) * ty;
}

float FractalNoise(float x, float y, int octaves, uint32_t seed) {
  float sum = 0, weight = 1, total = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += ValueNoise(x, y, seed + static_cast<uint32_t>(i)) * weight;
    total += weight;
    x *= 2;
    y *= 2;
    weight *= 0.5f;
  }
  return sum / total;
}

float PeriodicNoise(float x, float y, int period, uint32_t seed) {
  const int x0 = static_cast<int>(std::floor(x));
  const int y0 = static_cast<int>(std::floor(y));
  float fx = x - x0, fy = y - y0;
  fx = fx * fx * (3 - 2 * fx);
  fy = fy * fy * (3 - 2 * fy);
  auto h = [&](int ix, int iy) {
    return HashUnit(((ix % period) + period) % period, ((iy % period) + period) % period, seed);
  };
  const float top = h(x0, y0) + (h(x0 + 1, y0) - h(x0, y0)) * fx;
  const float bottom = h(x0, y0 + 1) + (h(x0 + 1, y0 + 1) - h(x0, y0 + 1)) * fx;
  return top + (bottom - top) * fy;
}

float PeriodicFbm(float u, float v, int basePeriod, int octaves, uint32_t seed) {
  float sum = 0, weight = 0, amplitude = 1;
  int period = basePeriod;
  for (int o = 0; o < octaves; ++o) {
    sum += PeriodicNoise(u * period, v * period, period, seed + 977u * o) * amplitude;
    weight += amplitude;
    amplitude *= 0.5f;
    period *= 2;
  }
  return sum / weight;
}

}  // namespace asset
