// The three ways a frame draws the scene. Each clears the frame and draws
// what the scene holds so far.
#pragma once

#include "scene/camera.h"

namespace scene {

struct PassContext {
  const Camera* camera = nullptr;
  int viewportWidth = 1;
  int viewportHeight = 1;
  int* frameTriangles = nullptr;
};

void RenderPlainPass(const PassContext& context);
void RenderWaterPass(const PassContext& context);
void RenderSimpleWaterPass(const PassContext& context);

}  // namespace scene
