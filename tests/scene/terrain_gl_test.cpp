// The terrain on a real GL context: the island from the menu pose, triangle
// counts with everything in view, a strip buffer that cannot be mapped, and
// a draw that allocates nothing.
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake/recording_debug_output.h"
#include "platform/fake/recording_message_box.h"
#include "render/gl_entry_points.h"
#include "render/shader_program.h"
#include "render/texture_slots.h"
#include "scene/frustum_gl.h"
#include "scene/render_passes.h"
#include "scene/scene_state.h"
#include "scene/terrain.h"
#include "tests/support/allocation_counter.h"
#include "tests/support/gl_table.h"
#include "tests/support/gl_test_context.h"

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 100;

class TerrainGLTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    context_ = new mgtest::GlTestContext(kWidth, kHeight);
    if (!context_->ok()) return;
    mgtest::LoadGlTable();
    glEnable(GL_DEPTH_TEST);
    textures_ = new render::TextureSlots;
    scene_ = new scene::SceneState;
    scene::LoadTerrainTextures(scene_->terrain, *textures_);
    {
      platform::fake::RecordingDebugOutput output;
      scene::BuildTerrain(scene_->terrain, 1.0f, *textures_);
      buildOutput_ = new std::vector<std::string>(output.texts());
    }
    scene::BuildTerrainProgram(scene_->terrainProgram);
  }
  static void TearDownTestSuite() {
    delete scene_;
    if (textures_ != nullptr) textures_->ReleaseAll();
    delete textures_;
    delete context_;
    delete buildOutput_;
  }

  void SetUp() override { ASSERT_TRUE(context_->ok()); }

  static scene::PassContext Pass(const scene::Camera& camera, int* frame, int* terrain) {
    scene::PassContext pass;
    pass.camera = &camera;
    pass.viewportWidth = kWidth;
    pass.viewportHeight = kHeight;
    pass.frameTriangles = frame;
    pass.terrainTriangles = terrain;
    pass.sceneReadyLevel = 1;
    pass.textures = textures_;
    pass.detailLevel = 2;
    return pass;
  }

  static void Perspective() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(65.0, static_cast<double>(kWidth) / kHeight, 10.0, 600000.0);
    glMatrixMode(GL_MODELVIEW);
  }

  static inline mgtest::GlTestContext* context_ = nullptr;
  static inline render::TextureSlots* textures_ = nullptr;
  static inline scene::SceneState* scene_ = nullptr;
  // The debug output of the build.
  static inline std::vector<std::string>* buildOutput_ = nullptr;
};

// Writes the picture as a PPM when MG_TERRAIN_SNAPSHOT names a file.
void Snapshot(const std::vector<uint8_t>& rgba, const char* suffix) {
  const char* base = std::getenv("MG_TERRAIN_SNAPSHOT");
  if (base == nullptr) return;
  const std::string path = std::string(base) + suffix + ".ppm";
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return;
  std::fprintf(file, "P6 %d %d 255\n", kWidth, kHeight);
  for (int y = kHeight - 1; y >= 0; --y) {
    for (int x = 0; x < kWidth; ++x) std::fwrite(&rgba[(y * kWidth + x) * 4], 1, 3, file);
  }
  std::fclose(file);
}

// Rows are bottom first. Sky is what the pass draws before the terrain has
// loaded, pixel for pixel; lit ground is anything clearly different from it
// and from black.
struct Coverage {
  double sky = 0, lit = 0;
};
Coverage Measure(const std::vector<uint8_t>& rgba, const std::vector<uint8_t>& skyOnly,
                 int firstRow, int lastRow) {
  Coverage c;
  int total = 0;
  for (int y = firstRow; y < lastRow; ++y) {
    for (int x = 0; x < kWidth; ++x, ++total) {
      const uint8_t* p = &rgba[(y * kWidth + x) * 4];
      const uint8_t* s = &skyOnly[(y * kWidth + x) * 4];
      const bool sky =
          std::abs(p[0] - s[0]) <= 2 && std::abs(p[1] - s[1]) <= 2 && std::abs(p[2] - s[2]) <= 2;
      c.sky += sky;
      c.lit += !sky && p[0] + p[1] + p[2] > 60;
    }
  }
  c.sky /= total;
  c.lit /= total;
  return c;
}

TEST_F(TerrainGLTest, MenuPoseShowsSkyAboveAndLitIslandBelow) {
  const scene::Terrain& built = scene_->terrain;
  ASSERT_EQ(built.patches.size(), 256u);
  EXPECT_EQ(built.nominalTriangles, 8520192);
  EXPECT_EQ(built.buildCounter, 562);
  EXPECT_NE(textures_->Get(render::TextureSlots::kTerrainColourMap), 0u);
  EXPECT_NE(textures_->Get(render::TextureSlots::kTerrainRegionMask), 0u);
  EXPECT_NE(textures_->Get(render::TextureSlots::kTerrainDetailMap), 0u);
  ASSERT_TRUE(scene_->terrainProgram.complete());

  scene::Camera camera;
  scene::SetPose(camera, scene::kMenuPosePosition, scene::kMenuPoseAngles);
  Perspective();
  int unused = 0;
  scene::PassContext skyPass = Pass(camera, &unused, &unused);
  skyPass.sceneReadyLevel = 0;
  scene::RenderPlainPass(*scene_, skyPass);
  const std::vector<uint8_t> skyOnly = context_->ReadPixels();
  // The shader path, then the fixed-function path of a program that did not
  // build.
  for (bool withProgram : {true, false}) {
    int frame = 0, terrain = 0;
    if (!withProgram) scene_->terrainProgram.Release();
    scene::RenderPlainPass(*scene_, Pass(camera, &frame, &terrain));
    const std::vector<uint8_t> pixels = context_->ReadPixels();
    Snapshot(pixels, withProgram ? "-shader" : "-fixed");
    // The horizon lies in the upper part of the picture at this pose: the
    // top tenth is all sky, the bottom third all ground.
    const Coverage top = Measure(pixels, skyOnly, kHeight * 9 / 10, kHeight);
    const Coverage bottom = Measure(pixels, skyOnly, 0, kHeight / 3);
    EXPECT_GT(top.sky, 0.95) << withProgram;
    EXPECT_GT(bottom.lit, 0.98) << withProgram;
    EXPECT_GT(terrain, 0);
    EXPECT_EQ(frame, terrain);
  }
  scene::BuildTerrainProgram(scene_->terrainProgram);
  render::Gl().glUseProgramObjectARB(0);
}

TEST_F(TerrainGLTest, BuildCountsItsPatchesInTheDebugOutput) {
  ASSERT_EQ(buildOutput_->size(), 256u);
  EXPECT_EQ(buildOutput_->front(), "dummm_c: 1\n");
  EXPECT_EQ(buildOutput_->back(), "dummm_c: 256\n");
  EXPECT_EQ(scene_->terrain.builtPatches, 256) << "a later build counts on from here";
}

TEST_F(TerrainGLTest, CountsEveryPatchWhenAllAreInView) {
  // Straight down from high above with an orthographic view over the map.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-20000, 20000, -20000, 20000, 100, 200000);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(0, 50000, 0, 0, 0, 0, 0, 0, -1);
  scene::Frustum frustum;
  scene::ExtractFrustumPlanes(frustum);

  int fineTotal = 0;
  for (const auto& [key, patch] : scene_->terrain.patches) {
    EXPECT_EQ(patch->coarseIndexCount(), 2144) << key;
    EXPECT_LE(patch->fineIndexCount(), 33152) << key;
    fineTotal += patch->fineIndexCount();
  }
  struct Case {
    int detailLevel;
    int expected;
  } cases[] = {{2, 548864}, {1, fineTotal}};
  for (const Case& c : cases) {
    int frame = 5, terrain = 0;
    scene::TerrainDrawState state;
    state.frustum = &frustum;
    state.detailLevel = c.detailLevel;
    state.frameTriangles = &frame;
    state.terrainTriangles = &terrain;
    scene::DrawTerrain(scene_->terrain, scene::WaterRelation::NoWater, state);
    glFinish();
    EXPECT_EQ(terrain, c.expected) << c.detailLevel;
    EXPECT_EQ(frame, 5 + c.expected) << c.detailLevel;
  }
  EXPECT_LE(fineTotal, 8486912);
  EXPECT_GT(fineTotal, 548864);
}

// The frame order starts each frame's terrain count afresh, as it does the
// frame's own count: after many frames it still holds one frame's triangles
// (left to grow, it passes INT_MAX after about 250 full frames).
TEST_F(TerrainGLTest, TerrainCounterHoldsOneFramesCountFrameAfterFrame) {
  scene::Camera camera;
  scene::SetPose(camera, scene::kMenuPosePosition, scene::kMenuPoseAngles);
  Perspective();
  scene::SceneState& scene = *scene_;
  scene.terrainTriangles = 2000000000;  // what a long run would have left
  int oneFrame = -1;
  for (int i = 0; i < 4; ++i) {
    int frame = 0;
    scene::BeginSceneFrame(scene);
    scene::RenderPlainPass(scene, Pass(camera, &frame, &scene.terrainTriangles));
    if (oneFrame < 0) oneFrame = frame;
    EXPECT_EQ(scene.terrainTriangles, oneFrame) << "frame " << i;
  }
  EXPECT_GT(oneFrame, 0);
}

TEST_F(TerrainGLTest, DrawingAllocatesNothing) {
  if (!mgtest::kCountingAllocations)
    GTEST_SKIP() << "allocation counting is off under the sanitizer";
  scene::Camera camera;
  scene::SetPose(camera, scene::kMenuPosePosition, scene::kMenuPoseAngles);
  Perspective();
  int frame = 0, terrain = 0;
  const scene::PassContext pass = Pass(camera, &frame, &terrain);
  scene::RenderPlainPass(*scene_, pass);  // the driver compiles its state on the first frame
  glFinish();
  const long before = mgtest::AllocationCount();
  scene::RenderPlainPass(*scene_, pass);
  const long after = mgtest::AllocationCount();
  glFinish();
  EXPECT_EQ(after - before, 0);
}

GLvoid* GLAPIENTRY RefuseMapping(GLenum, GLenum) { return nullptr; }

TEST_F(TerrainGLTest, PatchWhoseStripCannotBeMappedIsSkipped) {
  platform::fake::RecordingMessageBox boxes;
  scene::BufferMesh never;
  EXPECT_EQ(never.Draw(scene::WaterRelation::NoWater, {}), 0);

  const std::vector<float> positions(scene::kPatchSide * scene::kPatchSide * 3, 0.0f);
  const std::vector<float> normals(positions.size(), 0.0f);
  const std::vector<float> texCoords(scene::kPatchSide * scene::kPatchSide * 2, 0.0f);
  scene::BufferMesh mesh;
  mesh.Upload(positions, normals, texCoords);

  render::GlEntryPoints& gl = render::Gl();
  const auto realMap = gl.glMapBuffer;
  gl.glMapBuffer = RefuseMapping;
  const bool built =
      mesh.BuildStripBuffer(scene::kPatchSide, false,
                            std::vector<uint8_t>(scene::kPatchSide * scene::kPatchSide, 0).data());
  gl.glMapBuffer = realMap;
  EXPECT_FALSE(built);
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].text, u"Mem-Err-654");
  EXPECT_EQ(boxes.boxes()[0].caption, u"er");
  EXPECT_EQ(mesh.Draw(scene::WaterRelation::NoWater, {nullptr, 1}), 0);  // no fine strip

  ASSERT_TRUE(mesh.BuildStripBuffer(scene::kPatchSide, true, nullptr));
  EXPECT_EQ(mesh.Draw(scene::WaterRelation::NoWater, {nullptr, 2}), 3 * 2144);  // coarse draws
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
