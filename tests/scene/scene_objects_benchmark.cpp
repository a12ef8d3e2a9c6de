// CPU cost of one frame's grass, palm and bush draw (the instance walk, the
// uniforms and the draw calls) on the whole placed scene, per quality level,
// from the shore. Run by hand with SDL_VIDEODRIVER=offscreen and
// GALLIUM_NOOP=1, so that the driver skips the drawing and the time left is
// the program's own and the driver's call overhead.
#include <GL/glu.h>
#include <benchmark/benchmark.h>

#include "render/gl_entry_points.h"
#include "render/textures.h"
#include "scene/camera_gl.h"
#include "scene/frustum_gl.h"
#include "scene/scene_objects.h"
#include "scene/terrain.h"
#include "tests/support/gl_table.h"
#include "tests/support/gl_test_context.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

// The terrain and every object set as the program loads them, made once.
struct Scene {
  mgtest::GlTestContext context{kWidth, kHeight};
  render::TextureSlots textures;
  scene::Terrain terrain;
  scene::SceneObjects objects;

  Scene() {
    mgtest::LoadGlTable();
    glEnable(GL_DEPTH_TEST);
    scene::BuildObjectPrograms(objects);
    scene::LoadObjectModels(objects);
    scene::BuildTerrain(terrain, 1.0f, textures);
    scene::PlaceObjects(objects, terrain);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(65.0, static_cast<double>(kWidth) / kHeight, 10.0, 600000.0);
    glMatrixMode(GL_MODELVIEW);
  }
  ~Scene() {
    scene::ReleaseObjectsGl(objects);
    textures.ReleaseAll();
  }
};

Scene& TheScene() {
  static Scene* scene = new Scene;  // kept to the end: the context outlives the runs
  return *scene;
}

void BM_GrassAndPlants(benchmark::State& state) {
  Scene& s = TheScene();
  scene::Camera camera;
  // At the shore, looking inland over shore grass towards palms and bushes.
  scene::SetPose(camera, {1373.3f, 260.0f, 7700.0f}, {0.028f, 4.64f, 0.0f});
  glLoadIdentity();
  scene::ApplyView(camera);
  scene::Frustum frustum;
  scene::ExtractFrustumPlanes(frustum);
  int triangles = 0;
  scene::GrassDrawContext draw;
  draw.camera = &camera;
  draw.frustum = &frustum;
  draw.detailLevel = static_cast<int>(state.range(0));
  draw.frameTriangles = &triangles;
  scene::DrawGrassAndPlants(s.objects, draw, 2);  // the driver builds its state on the first frame
  glFinish();
  for (auto _ : state) {
    triangles = 0;
    scene::DrawGrassAndPlants(s.objects, draw, 2);
    glFinish();
  }
  state.counters["triangles"] = triangles;
  state.counters["palms"] = s.objects.palm.drawnInstances;
}

BENCHMARK(BM_GrassAndPlants)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
