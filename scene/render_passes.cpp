#include "scene/render_passes.h"

#include <GL/gl.h>

#include "render/gl_entry_points.h"
#include "scene/camera_gl.h"
#include "scene/frustum_gl.h"

namespace scene {
namespace {

// Until the sky box is drawn, the clear colour is the sky.
void ClearToSky() {
  glClearColor(0.42f, 0.62f, 0.86f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

GLuint Slot(const PassContext& context, int slot) {
  return context.textures != nullptr ? context.textures->Get(slot) : 0;
}

void BindUnit(int unit, GLuint texture) {
  render::Gl().glActiveTextureARB(GL_TEXTURE0 + unit);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
}

}  // namespace

void DrawTerrainAndGrass(const PassContext& context, WaterRelation relation) {
  using render::TextureSlots;
  if (context.sceneReadyLevel < 1 || context.terrain == nullptr) return;
  Frustum frustum;
  ExtractFrustumPlanes(frustum);
  glDisable(GL_ALPHA_TEST);

  render::ShaderProgram* program = context.terrainProgram;
  const bool useProgram =
      program != nullptr && program->complete() && render::Gl().glActiveTextureARB != nullptr;
  if (useProgram) {
    program->Bind();
    const Terrain& terrain = *context.terrain;
    BindUnit(3, Slot(context, TextureSlots::kTerrainRegionMask));
    BindUnit(4, terrain.regionColourMaps[0]);
    BindUnit(5, terrain.regionColourMaps[1]);
    BindUnit(6, terrain.regionColourMaps[2]);
    BindUnit(7, Slot(context, context.causticSlot));
    BindUnit(8, Slot(context, TextureSlots::kTerrainColourMap));
    BindUnit(9, Slot(context, TextureSlots::kTerrainDetailMap));
    const CVector3 eye = context.camera != nullptr ? context.camera->position : CVector3{};
    SetTerrainUniforms(*program, relation, eye, context.globalGamma, context.waterHeight);
  }
  glEnable(GL_CULL_FACE);
  TerrainDrawState state;
  state.frustum = &frustum;
  state.detailLevel = context.detailLevel;
  state.waterHeight = context.waterHeight;
  state.colourMap = Slot(context, TextureSlots::kTerrainColourMap);
  state.detailMap = Slot(context, TextureSlots::kTerrainDetailMap);
  state.frameTriangles = context.frameTriangles;
  state.terrainTriangles = context.terrainTriangles;
  DrawTerrain(*context.terrain, relation, state);
  if (useProgram) {
    for (int unit = 3; unit <= 9; ++unit) {
      render::Gl().glActiveTextureARB(GL_TEXTURE0 + unit);
      glEnable(GL_TEXTURE_2D);
      glDisable(GL_TEXTURE_2D);
    }
    program->Unbind();
  }
}

void RenderPlainPass(const PassContext& context) {
  glColor3f(1.0f, 1.0f, 1.0f);
  glViewport(0, 0, context.viewportWidth, context.viewportHeight);
  ClearToSky();
  glViewport(0, 0, context.viewportWidth, context.viewportHeight);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  if (context.camera != nullptr) ApplyView(*context.camera);
  EnableSceneLighting();
  DrawTerrainAndGrass(context, WaterRelation::NoWater);
  DisableSceneLighting();
}

void RenderWaterPass(const PassContext& context) { RenderPlainPass(context); }

void RenderSimpleWaterPass(const PassContext& context) { RenderPlainPass(context); }

void RenderPass(PassSelector selector, const PassContext& context) {
  switch (selector) {
    case PassSelector::Water:
      RenderWaterPass(context);
      break;
    case PassSelector::SimpleWater:
      RenderSimpleWaterPass(context);
      break;
    case PassSelector::Plain:
      RenderPlainPass(context);
      break;
  }
}

}  // namespace scene
