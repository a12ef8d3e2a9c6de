// Frame time of each render pass at 320 x 240 from the menu pose, for the
// finest (0) and the coarsest (2) terrain detail, on the headless context
// the GL tests use. Each frame ends with glFinish, since the offscreen
// surface's swap does nothing. Run by hand with SDL_VIDEODRIVER=offscreen.
#include <GL/glu.h>
#include <benchmark/benchmark.h>

#include "render/gl_entry_points.h"
#include "render/textures.h"
#include "scene/render_passes.h"
#include "scene/scene_state.h"
#include "scene/sky_box.h"
#include "scene/water.h"
#include "tests/support/gl_table.h"
#include "tests/support/gl_test_context.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

// The scene as the program builds it, made once for every benchmark.
struct Scene {
  mgtest::GlTestContext context{kWidth, kHeight};
  render::TextureSlots textures;
  scene::SceneState state;

  Scene() {
    mgtest::LoadGlTable();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_CULL_FACE);
    render::CreateEmptyClampedTexture(textures, scene::kReflectionSize, GL_RGB, GL_RGB,
                                      render::TextureSlots::kWaterReflection);
    scene::BuildWaterProgram(state.waterProgram);
    scene::BuildTerrainProgram(state.terrainProgram);
    scene::BuildSimpleProgram(state.simpleProgram);
    render::Gl().glUseProgramObjectARB(0);
    scene::LoadTerrainTextures(state.terrain, textures);
    render::LoadCausticSequence(state.causticFrames, textures,
                                render::TextureSlots::kFirstCausticFrame);
    scene::LoadSkyFaces(textures);
    scene::LoadWaterMaps(textures);
    scene::BuildTerrain(state.terrain, 1.0f, textures);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(65.0, static_cast<double>(kWidth) / kHeight, 10.0, 600000.0);
    glMatrixMode(GL_MODELVIEW);
  }
  ~Scene() { textures.ReleaseAll(); }
};

Scene& TheScene() {
  static Scene* scene = new Scene;  // kept to the end: the context outlives the runs
  return *scene;
}

void BM_Pass(benchmark::State& state, scene::PassSelector selector) {
  Scene& s = TheScene();
  scene::Camera camera;
  scene::SetPose(camera, scene::kMenuPosePosition, scene::kMenuPoseAngles);
  int frameTriangles = 0;
  scene::PassContext pass;
  pass.camera = &camera;
  pass.viewportWidth = kWidth;
  pass.viewportHeight = kHeight;
  pass.frameTriangles = &frameTriangles;
  pass.sceneReadyLevel = 3;
  pass.textures = &s.textures;
  pass.detailLevel = static_cast<int>(state.range(0));
  pass.frameTimeMs = 16.7;
  scene::RenderPass(selector, s.state, pass);  // the driver builds its state on the first frame
  glFinish();
  for (auto _ : state) {
    frameTriangles = 0;
    scene::RenderPass(selector, s.state, pass);
    glFinish();
  }
  state.counters["triangles"] = frameTriangles;
}

BENCHMARK_CAPTURE(BM_Pass, plain, scene::PassSelector::Plain)
    ->Arg(0)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Pass, simple_water, scene::PassSelector::SimpleWater)
    ->Arg(0)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Pass, water, scene::PassSelector::Water)
    ->Arg(0)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
