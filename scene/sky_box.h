// The sky box: six textured faces around the scene, drawn with the Simple
// program.
#pragma once

#include "render/shader_program.h"
#include "render/texture_slots.h"

namespace scene {

// The box the passes draw: centred at the origin, 80000 on each side.
inline constexpr float kSkyBoxSize = 80000.0f;

// Draws the six faces of the box centred at (cx, cy, cz) with the given
// width, height and depth, each face's texture clamped to its edges.
// `globalGamma` is the brightness setting; the program gets 0.6 times it.
void DrawSkyBox(render::ShaderProgram& simpleProgram, const render::TextureSlots& textures,
                float globalGamma, float cx, float cy, float cz, float width, float height,
                float depth);

// Builds the Simple program from its embedded text; on failure shows
// "Failed to load Simple Shader!" with the log. Returns whether it is
// complete.
bool BuildSimpleProgram(render::ShaderProgram& program);

// The six faces into their slots (no mipmaps).
void LoadSkyFaces(render::TextureSlots& textures);

}  // namespace scene
