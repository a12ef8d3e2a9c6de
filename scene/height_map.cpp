#include "scene/height_map.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>

#include "platform/text_codec.h"
#include "scene/parallel_rows.h"

namespace scene {
namespace {

// The generator's own random source; its draws are interleaved with the
// grid writes, so the visiting order below fixes the map.
class FractalRandom {
 public:
  explicit FractalRandom(unsigned seed) : state_(seed) {}
  // Offset in [-amplitude, amplitude) for an amplitude of at least 1.
  double Offset(double amplitude) {
    state_ = (state_ * 8253729u + 2396403u) % 32767u;
    const auto divisor = static_cast<uint32_t>(2 * static_cast<int>(amplitude));
    return static_cast<double>(state_ % divisor) - amplitude;
  }

 private:
  uint32_t state_;
};

// Diamond-square over an (n + 1)^2 grid whose last row and column repeat the
// first.
void DiamondSquare(std::vector<double>& grid, int exponent, double roughness, unsigned seed) {
  const int n = 1 << exponent;
  const int side = n + 1;
  auto at = [&](int row, int column) -> double& {
    return grid[static_cast<size_t>(row) * side + column];
  };
  FractalRandom random(seed);
  const int iterations = std::clamp(exponent, 1, 11);
  roughness = std::clamp(roughness, 1.0, 10.0);
  double amplitude = n * 0.5;
  for (int k = 0; k < iterations; ++k) {
    const int step = n >> k;
    const int half = step / 2;
    const int squares = 1 << k;
    for (int i = 0; i < squares; ++i) {
      for (int j = 0; j < squares; ++j) {
        const double offset = random.Offset(amplitude);
        at(i * step + half, j * step + half) =
            (at(i * step, (j + 1) * step) + at(i * step, j * step) +
             at((i + 1) * step, (j + 1) * step) + at((i + 1) * step, j * step)) *
                0.25 +
            offset;
      }
    }
    for (int q = 0; q < 2 * squares; ++q) {
      const int y = q * half;
      const int firstX = (q % 2 == 0) ? half : 0;
      for (int c = 0; c < squares; ++c) {
        const int x = firstX + c * step;
        const double offset = random.Offset(amplitude);
        const int left = x - half < 0 ? n - half : x - half;
        const int up = y - half < 0 ? n - half : y - half;
        at(y, x) = (at(y, left) + at(y, x + half) + at(up, x) + at(y + half, x)) * 0.25 + offset;
      }
    }
    for (int c = 0; c < squares; ++c) {
      const int x = half + c * step;
      at(n, x) = at(0, x);
      at(x, n) = at(x, 0);
    }
    if (amplitude > 1.0) {
      amplitude /= roughness;
      if (amplitude < 1.0) amplitude = 1.0;
    }
  }
}

constexpr int kBoxRadius = 5;

// 11 x 11 box average of the interior; the border keeps its values. Each
// point sums its window row by row, left to right, in one accumulator; the
// rows of the output are independent and are shared among threads.
void BoxSmooth(const std::vector<double>& grid, int size, std::vector<double>& out, double& minimum,
               double& maximum) {
  const double weight = 1.0 / 121.0;
  std::vector<double> mins(size, 1111111.0);
  std::vector<double> maxs(size, -1111111.0);
  ParallelRows(0, size, [&](int firstRow, int lastRow) {
    std::vector<double> sums(size);
    for (int y = firstRow; y < lastRow; ++y) {
      double* __restrict row = out.data() + static_cast<size_t>(y) * size;
      const double* source = grid.data() + static_cast<size_t>(y) * size;
      std::copy(source, source + size, row);
      if (y > kBoxRadius && y < size - kBoxRadius) {
        const int first = kBoxRadius + 1;
        const int last = size - kBoxRadius;  // exclusive
        double* __restrict acc = sums.data();
        std::fill(acc + first, acc + last, 0.0);
        for (int dy = -kBoxRadius; dy <= kBoxRadius; ++dy) {
          const double* __restrict src = grid.data() + static_cast<size_t>(y + dy) * size;
          for (int dx = -kBoxRadius; dx <= kBoxRadius; ++dx) {
            // One lane per output point: vectorising across x keeps each
            // point's own summation order.
            const double* __restrict shifted = src + dx + first;
            double* __restrict target = acc + first;
            const size_t count = static_cast<size_t>(last - first);
            for (size_t x = 0; x < count; ++x) target[x] += shifted[x];
          }
        }
        for (int x = first; x < last; ++x) row[x] = acc[x] * weight;
      }
      double lo = mins[y], hi = maxs[y];
      for (int x = 0; x < size; ++x) {
        lo = std::min(lo, row[x]);
        hi = std::max(hi, row[x]);
      }
      mins[y] = lo;
      maxs[y] = hi;
    }
  });
  minimum = *std::min_element(mins.begin(), mins.end());
  maximum = *std::max_element(maxs.begin(), maxs.end());
}

}  // namespace

float RemapHeight(double v) {
  const double h = v - 128.0;
  if (h < -33.0) return static_cast<float>(h * 1.1);
  if (h < 0.0) return static_cast<float>(h * 0.3);
  if (h <= 64.0) return static_cast<float>(h);
  if (h <= 92.0) return static_cast<float>(h * 1.2);
  return static_cast<float>(h * 1.4);
}

namespace {

// 3 x 3 neighbourhood with clamped indices, rows then columns.
HeightStatistics Neighbourhood(const float* heights, int size, int row, int column) {
  if (row > 0 && column > 0 && row < size - 1 && column < size - 1) {
    const float* p = heights + static_cast<size_t>(row - 1) * size + column - 1;
    float sum = 0.0f;
    float lo = p[0], hi = p[0];
    for (int dr = 0; dr < 3; ++dr, p += size) {
      for (int dc = 0; dc < 3; ++dc) {
        sum += p[dc];
        lo = std::min(lo, p[dc]);
        hi = std::max(hi, p[dc]);
      }
    }
    return {sum * 0.1111111f, lo, hi};
  }
  float sum = 0.0f;
  float lo = 0.0f, hi = 0.0f;
  bool first = true;
  for (int dr = -1; dr <= 1; ++dr) {
    const int r = std::clamp(row + dr, 0, size - 1);
    for (int dc = -1; dc <= 1; ++dc) {
      const int c = std::clamp(column + dc, 0, size - 1);
      const float v = heights[static_cast<size_t>(r) * size + c];
      sum += v;
      lo = first ? v : std::min(lo, v);
      hi = first ? v : std::max(hi, v);
      first = false;
    }
  }
  return {sum * 0.1111111f, lo, hi};
}

}  // namespace

double RoughnessForExponent(int exponent) {
  switch (exponent) {
    case 8:
      return 1.0;
    case 9:
      return 1.6;
    case 11:
      return 1.33;
    case 12:
      return 1.2;
    default:
      return 1.4;
  }
}

std::vector<float> FractalHeightGenerator(int exponent, double roughness, unsigned seed) {
  const int n = 1 << exponent;
  const int size = n + 1;
  const size_t points = static_cast<size_t>(size) * size;
  std::vector<float> output(points);
  {
    std::vector<double> grid(points, 0.0);
    DiamondSquare(grid, exponent, roughness, seed);
    std::vector<double> smoothed(points);
    double minimum = 0.0, maximum = 0.0;
    BoxSmooth(grid, size, smoothed, minimum, maximum);
    grid = {};

    const double scale = 255.0 / (maximum - minimum);
    const int half = size >> 1;
    const float inner = static_cast<float>(half) * 0.78f;
    const float band = static_cast<float>(half) - inner;
    const float centre = static_cast<float>(size) * 0.5f;
    ParallelRows(0, size, [&](int firstRow, int lastRow) {
      for (int y = firstRow; y < lastRow; ++y) {
        for (int x = 0; x < size; ++x) {
          const size_t index = static_cast<size_t>(y) * size + x;
          double v = std::fabs((smoothed[index] - maximum) * scale);
          const float d = std::max(std::fabs(static_cast<float>(x) - centre),
                                   std::fabs(static_cast<float>(y) - centre));
          if (d > inner) {
            const float f = std::clamp(1.0f - (std::fabs(d - inner) / band) * 0.6f, 0.5f, 1.0f);
            v *= f;
          }
          output[index] = RemapHeight(v);
        }
      }
    });
  }
  return output;
}

bool LoadHeightMap(HeightMap& map, std::vector<float> heights, int size,
                   size_t maxStatisticsPoints) {
  const size_t points = static_cast<size_t>(size) * size;
  map.width = size;
  map.height = size;
  map.statistics.clear();
  std::vector<float> smoothed(points);
  ParallelRows(0, size, [&](int firstRow, int lastRow) {
    for (int row = firstRow; row < lastRow; ++row) {
      for (int column = 0; column < size; ++column) {
        const size_t index = static_cast<size_t>(row) * size + column;
        if (row == 0 || column == 0 || row == size - 1 || column == size - 1) {
          smoothed[index] = -128.0f;
          continue;
        }
        const HeightStatistics n = Neighbourhood(heights.data(), size, row, column);
        const bool keep = n.mean > 10.0f && n.maximum - n.minimum > 7.0f;
        smoothed[index] = keep ? heights[index] : n.mean;
      }
    }
  });
  map.heights = std::move(smoothed);

  try {
    if (points > maxStatisticsPoints) throw std::bad_alloc();
    map.statistics.resize(points);
  } catch (const std::bad_alloc&) {
    map.statistics = {};
    return false;
  }
  ParallelRows(0, size, [&](int firstRow, int lastRow) {
    for (int row = firstRow; row < lastRow; ++row) {
      for (int column = 0; column < size; ++column) {
        map.statistics[static_cast<size_t>(row) * size + column] =
            Neighbourhood(map.heights.data(), size, row, column);
      }
    }
  });
  return true;
}

bool GenerateHeightMap(HeightMap& map, int exponent, int seed) {
  map.name = platform::FormatInt(exponent) + u"_" + platform::FormatInt(seed) + u".rmap";
  const int size = (1 << exponent) + 1;
  return LoadHeightMap(
      map,
      FractalHeightGenerator(exponent, RoughnessForExponent(exponent), static_cast<unsigned>(seed)),
      size);
}

const HeightStatistics& StatisticsAt(const HeightMap& map, int row, int column) {
  row = std::clamp(row, 0, map.height - 1);
  column = std::clamp(column, 0, map.width - 1);
  return map.statistics[static_cast<size_t>(row) * map.width + column];
}

}  // namespace scene
