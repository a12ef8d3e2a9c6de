#include "scene/autopilot.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>

namespace scene {
namespace {

uint32_t NextSeed(uint32_t seed) { return seed * 8253729u + 2396403u; }

// An event happens when the generator modulo (numerator / frame time) is one
// of the given small values, so that events keep their rate per millisecond.
// A frame so long (or a frame time so odd) that the modulus is below 1 has
// no event: the division by zero is never made.
uint32_t EventModulus(double numerator, double frameTimeMs) {
  const double modulus = numerator / frameTimeMs;
  if (!(modulus >= 1.0)) return 0;
  return static_cast<uint32_t>(std::min(modulus, static_cast<double>(INT_MAX)));
}

// Truncation towards zero that stays defined for any float: values beyond
// the int range saturate, and NaN lands far outside every rectangle.
int TruncateToInt(float value) {
  if (std::isnan(value)) return INT_MIN;
  if (value <= -2147483648.0f) return INT_MIN;
  if (value >= 2147483648.0f) return INT_MAX;
  return static_cast<int>(value);
}

bool Inside(const TerrainRect& rect, const CVector3& p) {
  const int x = TruncateToInt(p.x), z = TruncateToInt(p.z);
  return rect.left <= x && x < rect.right && rect.top <= z && z < rect.bottom;
}

// "%f %f\n" in the C locale's form, whatever the process locale. Room for
// the longest double in fixed notation (309 digits, sign, point, 6 places).
void WriteDebugLine(DebugLineSink sink, double clearance, double height) {
  char text[2 * 320];
  char* p = std::to_chars(text, text + 318, clearance, std::chars_format::fixed, 6).ptr;
  *p++ = ' ';
  p = std::to_chars(p, p + 318, height, std::chars_format::fixed, 6).ptr;
  *p++ = '\n';
  sink(std::string_view(text, static_cast<size_t>(p - text)));
}

}  // namespace

void AutopilotStep(Camera& camera, AutopilotState& state, const AutopilotTerrain& terrain,
                   double frameTimeMs, DebugLineSink debugLine) {
  const CVector3 p = camera.position;
  const double highest =
      SampleTerrainHeight(terrain.heights, terrain.grid, TruncateToInt(p.x), TruncateToInt(p.z), 16)
          .maximum;
  const double clearance = highest - (static_cast<double>(p.y) - 150.0);
  if (debugLine != nullptr) WriteDebugLine(debugLine, clearance, p.y);

  const double k = std::fabs(clearance) * 0.002;
  if (clearance > 5.0) MoveVertical(camera, static_cast<float>(-k * frameTimeMs));  // rise
  if (clearance < -5.0) MoveVertical(camera, static_cast<float>(k * frameTimeMs));  // sink

  state.seed = NextSeed(state.seed);
  const uint32_t burstModulus = EventModulus(50002.0, frameTimeMs);
  if (burstModulus != 0) {
    const uint32_t r = state.seed % burstModulus;
    if (r == 1 || r == 2) ++state.burstCount;
  }
  if (state.burstCount > 3) state.burstCount = 0;
  static constexpr float kForward[4] = {1.5f, 0.8f, 2.0f, 2.5f};
  MoveHorizontal(camera, kForward[state.burstCount] * TimeScale(frameTimeMs));
  MoveAlongView(camera, 0.2f);

  const float pitch = camera.pitch;
  if (pitch > 5.15f) Rotate(camera, 0.0f, static_cast<float>(-0.0002 * frameTimeMs));
  if (pitch < 4.88f) Rotate(camera, 0.0f, static_cast<float>(0.0002 * frameTimeMs));

  state.seed = NextSeed(state.seed);
  const uint32_t turnModulus = EventModulus(50000.0, frameTimeMs);
  if (turnModulus != 0) {
    const uint32_t r = state.seed % turnModulus;
    if (r >= 1 && r <= 3) state.turnLeft = 1 - state.turnLeft;
  }
  const float drift = static_cast<float>(0.0001 * frameTimeMs);
  Rotate(camera, state.turnLeft == 0 ? drift : -drift, 0.0f);

  CVector3 q = camera.position;
  const TerrainRect inner = GetTerrainBounds(terrain.grid, 0.85f);
  if (!Inside(inner, q)) {
    // Look one grid width ahead; if that is outside too, turn back inwards.
    MoveHorizontal(camera, static_cast<float>(terrain.grid.width));
    if (!Inside(inner, camera.position)) {
      const float turn = static_cast<float>(0.0025 * frameTimeMs);
      Rotate(camera, state.turnLeft == 0 ? turn : -turn, 0.0f);
    }
  }
  if (Inside(GetTerrainBounds(terrain.grid, 1.0f), q)) {
    q.y = std::clamp(q.y, -600.0f, 1200.0f);
  } else {
    q = {0.0f, 130.0f, 0.0f};
  }
  SetPosition(camera, q);
}

}  // namespace scene
