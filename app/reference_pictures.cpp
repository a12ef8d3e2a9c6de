#include "app/reference_pictures.h"

#include "app/application.h"
#include "app/main_loop.h"
#include "app/main_window.h"
#include "render/frame_capture.h"
#include "render/offscreen_target.h"
#include "scene/scene_state.h"

namespace app {
namespace {

// Large enough for the picture and the water's 512 x 512 reflection.
constexpr int kTargetWidth = 640;
constexpr int kTargetHeight = 512;
// The frame time the water and the grass move by in a reference picture.
constexpr double kReferenceFrameTimeMs = 50.0;

struct SavedLook {
  scene::Camera camera;
  int detailLevel;
  int pass;
  float gamma;
  float waterHeight;
  double frameTimeMs;
  bool drawGrass, drawPalms, renderObjects, filledPolygons;
  int width, height;
};

SavedLook Save(const Application& a) {
  const scene::SceneState& s = a.scene;
  return {a.app.camera,
          s.detailLevel,
          a.settings.renderPass.value,
          a.settings.brightness.value,
          a.input.waterHeight,
          a.app.frameTimeMs,
          s.drawGrass,
          s.drawPalms,
          s.renderObjects,
          s.filledPolygons,
          a.app.viewportWidth,
          a.app.viewportHeight};
}

void Restore(Application& a, const SavedLook& look) {
  scene::SceneState& s = a.scene;
  a.app.camera = look.camera;
  s.detailLevel = look.detailLevel;
  a.settings.renderPass.value = look.pass;
  a.settings.brightness.value = look.gamma;
  a.input.waterHeight = look.waterHeight;
  a.app.frameTimeMs = look.frameTimeMs;
  s.drawGrass = look.drawGrass;
  s.drawPalms = look.drawPalms;
  s.renderObjects = look.renderObjects;
  s.filledPolygons = look.filledPolygons;
  SetViewport(a.app, a.renderer, look.width, look.height);
}

// The look every reference picture has, whatever the user chose.
void DefaultLook(Application& a, bool withoutPalms) {
  const AppSettings defaults;
  scene::SceneState& s = a.scene;
  a.settings.renderPass.value = 1;
  a.settings.brightness.value = defaults.brightness.value;
  a.input.waterHeight = InputState{}.waterHeight;
  a.app.frameTimeMs = kReferenceFrameTimeMs;
  s.drawGrass = true;
  s.drawPalms = !withoutPalms;
  s.renderObjects = true;
  s.filledPolygons = true;
}

}  // namespace

std::vector<ViewPicture> DrawReferencePictures(Application& a, bool withoutPalms) {
  render::OffscreenTarget target;
  if (!target.Create(render::GlProcLookup(), kTargetWidth, kTargetHeight)) return {};
  const SavedLook saved = Save(a);
  DefaultLook(a, withoutPalms);
  target.Bind();
  a.app.targetWidth = kTargetWidth;
  a.app.targetHeight = kTargetHeight;
  std::vector<ViewPicture> pictures;
  for (const int level : bench::kReferenceDetailLevels) {
    for (const bench::ReferenceView& view : bench::ReferenceViews()) {
      SetViewport(a.app, a.renderer, bench::kReferenceWidth, bench::kReferenceHeight);
      scene::SetPose(a.app.camera, view.position, view.angles);
      a.scene.detailLevel = level;
      scene::SetSceneTime(a.scene, view.sceneTimeMs);
      a.scene.windTimeSeconds = view.sceneTimeMs / 1000.0;
      DrawSceneFrame(a);
      pictures.push_back({bench::ReferenceName(view, level),
                          render::ReadFrame(bench::kReferenceWidth, bench::kReferenceHeight).rgb});
    }
  }
  a.scene.windTimeSeconds = -1.0;
  a.app.targetWidth = a.app.targetHeight = 0;
  target.Unbind();
  target.Release();
  Restore(a, saved);
  return pictures;
}

}  // namespace app
