// The sea: one large quad at the water height, drawn last in the water pass
// with the water program, five texture units and blending; its maps and the
// caustic frames that the passes lay over the sea floor.
#pragma once

#include <span>

#include "render/embedded_file.h"
#include "render/shader_program.h"
#include "render/texture_slots.h"
#include "scene/vector3.h"
#include "scene/water_animation.h"

namespace scene {

inline constexpr float kWaterHalfSize = 45500.0f;
inline constexpr float kWaterTextureRepeat = 700.0f;

// What one surface draw needs from the frame.
struct WaterSurfaceState {
  float waterHeight = 131.5f;
  // Scale of unit 2's coordinates, changed from the keyboard.
  float waveParameter = 0.25f;
  CVector3 cameraPosition;
  double frameTimeMs = 0.0;
};

// Binds units 0-4 (reflection, nothing, the two water maps, nothing), sets
// the water program's uniforms when it is complete, and draws the quad
// blended. The program is bound by the caller; face culling off. Leaves
// unit 4 active.
void DrawWaterSurface(render::ShaderProgram& program, const render::TextureSlots& textures,
                      WaterAnimation& animation, const WaterSurfaceState& state);

// The quad alone, with its five sets of texture coordinates; advances the
// scroll offset by the frame time.
void DrawWaterQuad(WaterAnimation& animation, const WaterSurfaceState& state);

// Builds the water program from its two embedded texts. Returns whether it
// is complete.
bool BuildWaterProgram(render::ShaderProgram& program);

// The dudv map into its slot without mipmaps, then the normal map with them.
void LoadWaterMaps(render::TextureSlots& textures);

// The 32 caustic frames, in order.
std::span<render::EmbeddedFile* const> CausticFrameFiles();

}  // namespace scene
