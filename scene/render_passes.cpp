#include "scene/render_passes.h"

#include <GL/gl.h>

#include <algorithm>

#include "render/gl_entry_points.h"
#include "scene/camera_gl.h"
#include "scene/frustum_gl.h"
#include "scene/pass_times_gl.h"
#include "scene/sky_box.h"
#include "scene/water.h"

namespace scene {
namespace {

GLuint Slot(const PassContext& context, int slot) {
  return context.textures != nullptr ? context.textures->Get(slot) : 0;
}

void SelectUnit(int unit) {
  if (render::Gl().glActiveTextureARB != nullptr)
    render::Gl().glActiveTextureARB(GL_TEXTURE0 + unit);
}

void BindUnit(int unit, GLuint texture) {
  SelectUnit(unit);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
}

// Identity model-view with the camera's view applied.
void LoadCameraView(const PassContext& context) {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  if (context.camera != nullptr) ApplyView(*context.camera);
}

float CameraHeight(const PassContext& context) {
  return context.camera != nullptr ? context.camera->position.y : 0.0f;
}

void DrawSky(SceneState& scene, const PassContext& context) {
  if (context.textures == nullptr) return;
  DrawSkyBox(scene.simpleProgram, *context.textures, context.globalGamma, 0.0f, 0.0f, 0.0f,
             kSkyBoxSize, kSkyBoxSize, kSkyBoxSize);
  MarkPass(context.times, PassStage::Sky);
}

void LitTerrainAndGrass(SceneState& scene, const PassContext& context, WaterRelation relation) {
  EnableSceneLighting();
  DrawTerrainAndGrass(scene, context, relation);
  DisableSceneLighting();
}

}  // namespace

void DrawTerrainAndGrass(SceneState& scene, const PassContext& context, WaterRelation relation) {
  using render::TextureSlots;
  if (context.sceneReadyLevel < 1) return;
  ExtractFrustumPlanes(scene.frustum);
  glDisable(GL_ALPHA_TEST);

  render::ShaderProgram& program = scene.terrainProgram;
  const bool useProgram = program.complete() && render::Gl().glActiveTextureARB != nullptr;
  if (useProgram) {
    program.Bind();
    const Terrain& terrain = scene.terrain;
    BindUnit(3, Slot(context, TextureSlots::kTerrainRegionMask));
    BindUnit(4, terrain.regionColourMaps[0]);
    BindUnit(5, terrain.regionColourMaps[1]);
    BindUnit(6, terrain.regionColourMaps[2]);
    BindUnit(7, Slot(context, scene.causticSlot));
    BindUnit(8, Slot(context, TextureSlots::kTerrainColourMap));
    BindUnit(9, Slot(context, TextureSlots::kTerrainDetailMap));
    const CVector3 eye = context.camera != nullptr ? context.camera->position : CVector3{};
    SetTerrainUniforms(program, relation, eye, context.globalGamma, context.waterHeight);
  }
  glEnable(GL_CULL_FACE);
  TerrainDrawState state;
  state.frustum = &scene.frustum;
  state.detailLevel = context.detailLevel;
  state.waterHeight = context.waterHeight;
  state.colourMap = Slot(context, TextureSlots::kTerrainColourMap);
  state.detailMap = Slot(context, TextureSlots::kTerrainDetailMap);
  state.frameTriangles = context.frameTriangles;
  state.terrainTriangles = context.terrainTriangles;
  DrawTerrain(scene.terrain, relation, state);
  MarkPass(context.times, PassStage::Terrain);
  if (useProgram) {
    for (int unit = 3; unit <= 9; ++unit) {
      SelectUnit(unit);
      glEnable(GL_TEXTURE_2D);
      glDisable(GL_TEXTURE_2D);
    }
    program.Unbind();
  }
  if (context.sceneReadyLevel > 2 && scene.renderObjects) {
    GrassDrawContext grass;
    grass.camera = context.camera;
    grass.frustum = &scene.frustum;
    grass.detailLevel = context.detailLevel;
    grass.globalGamma = context.globalGamma;
    grass.waterHeight = context.waterHeight;
    grass.drawGrass = scene.drawGrass;
    grass.drawPalms = scene.drawPalms;
    grass.filled = scene.filledPolygons;
    grass.frameTriangles = context.frameTriangles;
    grass.times = context.times;
    grass.timeSeconds = scene.windTimeSeconds;
    DrawGrassAndPlants(scene.objects, grass, static_cast<int>(relation));
  }
}

void RenderCausticOverlay(SceneState& scene, const PassContext& context, float h, float scale) {
  if (!CausticsVisible(CameraHeight(context), h)) return;
  scene.causticSlot = render::TextureSlots::CausticFrame(scene.animation.causticFrame);
  BindUnit(2, Slot(context, scene.causticSlot));
  AdvanceCausticClock(scene.animation, context.frameTimeMs);
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glScalef(scale, scale, 1.0f);
  glMatrixMode(GL_MODELVIEW);

  LitTerrainAndGrass(scene, context, WaterRelation::CausticView);

  // The terrain step leaves another unit active; the scaled matrix is unit 2's.
  SelectUnit(2);
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glDisable(GL_TEXTURE_2D);
  MarkPass(context.times, PassStage::Caustics);
}

int ReflectionSizeFor(int frameWidth, int frameHeight) {
  return std::max(1, std::min({kReflectionSize, frameWidth, frameHeight}));
}

void RenderReflectionTexture(SceneState& scene, const PassContext& context, float h, int size) {
  const auto start = PassClock(context.times);
  glViewport(0, 0, size, size);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  MarkPass(context.times, PassStage::Clear);
  LoadCameraView(context);
  glPushMatrix();
  if (CameraHeight(context) > h) {
    // The scene mirrored in the plane y = h; mirroring turns the faces
    // around, so the front faces are culled. Only what lies above the water
    // is mirrored: the under-water part of a shore patch would otherwise
    // hang as a ceiling over the camera, in front of the mirrored sky.
    glTranslatef(0.0f, 2.0f * h, 0.0f);
    glScalef(1.0f, -1.0f, 1.0f);
    glCullFace(GL_FRONT);
    const GLdouble aboveWater[4] = {0.0, 1.0, 0.0, -static_cast<GLdouble>(h)};
    glClipPlane(GL_CLIP_PLANE0, aboveWater);
    glEnable(GL_CLIP_PLANE0);
    LitTerrainAndGrass(scene, context, WaterRelation::WaterPassView);
    glDisable(GL_CLIP_PLANE0);
    DrawSky(scene, context);
    glCullFace(GL_BACK);
  } else {
    RenderCausticOverlay(scene, context, h, kCausticScale);
    LitTerrainAndGrass(scene, context, WaterRelation::WaterPassView);
    DrawSky(scene, context);
  }
  glPopMatrix();
  // The texture takes the reflection's size, so that the water reads all
  // of it and nothing undefined.
  const GLuint reflection = Slot(context, render::TextureSlots::kWaterReflection);
  if (reflection != 0) {
    SelectUnit(0);
    glBindTexture(GL_TEXTURE_2D, reflection);
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    if (width == size) {
      glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, size, size);
    } else {
      glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 0, 0, size, size, 0);
    }
  }
  MarkPass(context.times, PassStage::ReflectionCopy);
  AddSpan(context.times, PassStage::Reflection, start);
}

void DrawSimpleWaterQuad(SceneState& scene, const PassContext& context, float h) {
  WaterAnimation& animation = scene.animation;
  animation.simpleWaterScroll =
      AdvanceScroll(animation.simpleWaterScroll, context.frameTimeMs, kSimpleWaterScrollPerMs);
  const float o = animation.simpleWaterScroll;
  const float e = kWaterHalfSize;
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, Slot(context, render::TextureSlots::kWaterOverlayMap));
  glColor4f(0.1f, 0.1f, 0.5f, 0.7f);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, o + 500.0f);
  glVertex3f(-e, h, -e);
  glTexCoord2f(0.0f, o);
  glVertex3f(-e, h, e);
  glTexCoord2f(500.0f, o);
  glVertex3f(e, h, e);
  glTexCoord2f(500.0f, o + 500.0f);
  glVertex3f(e, h, -e);
  glEnd();
  glDisable(GL_TEXTURE_2D);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void RenderPlainPass(SceneState& scene, const PassContext& context) {
  glColor3f(1.0f, 1.0f, 1.0f);
  glViewport(0, 0, context.viewportWidth, context.viewportHeight);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  MarkPass(context.times, PassStage::Clear);
  glViewport(0, 0, context.viewportWidth, context.viewportHeight);
  LoadCameraView(context);
  ExtractFrustumPlanes(scene.frustum);
  scene.waterProgram.Unbind();
  LitTerrainAndGrass(scene, context, WaterRelation::NoWater);
  DrawSky(scene, context);
}

void RenderWaterPass(SceneState& scene, const PassContext& context) {
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  const int frameWidth = context.frameWidth > 0 ? context.frameWidth : context.viewportWidth;
  const int frameHeight = context.frameHeight > 0 ? context.frameHeight : context.viewportHeight;
  RenderReflectionTexture(scene, context, context.waterHeight,
                          ReflectionSizeFor(frameWidth, frameHeight));
  glViewport(0, 0, context.viewportWidth, context.viewportHeight);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  MarkPass(context.times, PassStage::Clear);
  LoadCameraView(context);
  RenderCausticOverlay(scene, context, context.waterHeight, kCausticScale);
  LitTerrainAndGrass(scene, context, WaterRelation::WaterPassView);
  DrawSky(scene, context);

  scene.waterProgram.Bind();
  glDisable(GL_CULL_FACE);
  if (context.textures != nullptr) {
    WaterSurfaceState surface;
    surface.waterHeight = context.waterHeight;
    surface.waveParameter = context.waveParameter;
    surface.cameraPosition = context.camera != nullptr ? context.camera->position : CVector3{};
    surface.frameTimeMs = context.frameTimeMs;
    DrawWaterSurface(scene.waterProgram, *context.textures, scene.animation, surface);
  }
  MarkPass(context.times, PassStage::Water);
  glEnable(GL_CULL_FACE);
  scene.waterProgram.Unbind();
}

void RenderSimpleWaterPass(SceneState& scene, const PassContext& context) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  MarkPass(context.times, PassStage::Clear);
  glLoadIdentity();
  glViewport(0, 0, context.viewportWidth, context.viewportHeight);
  LoadCameraView(context);
  LitTerrainAndGrass(scene, context, WaterRelation::NoWater);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  DrawSky(scene, context);
  glCullFace(GL_FRONT);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  DrawSimpleWaterQuad(scene, context, context.waterHeight);
  MarkPass(context.times, PassStage::Water);
  glDisable(GL_BLEND);
  glCullFace(GL_BACK);
}

void RenderPass(PassSelector selector, SceneState& scene, const PassContext& context) {
  switch (selector) {
    case PassSelector::Water:
      RenderWaterPass(scene, context);
      break;
    case PassSelector::SimpleWater:
      RenderSimpleWaterPass(scene, context);
      break;
    case PassSelector::Plain:
      RenderPlainPass(scene, context);
      break;
  }
}

}  // namespace scene
