#include "scene/render_passes.h"

#include <GL/gl.h>

namespace scene {
namespace {

void ClearToSky() {
  glClearColor(0.42f, 0.62f, 0.86f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

}  // namespace

void RenderPlainPass(const PassContext&) { ClearToSky(); }

void RenderWaterPass(const PassContext& context) { RenderPlainPass(context); }

void RenderSimpleWaterPass(const PassContext& context) { RenderPlainPass(context); }

}  // namespace scene
