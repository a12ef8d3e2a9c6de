// Grass, palms and bushes on a real GL context: the three programs link with
// their uniforms, the models load, and a fixed view of a few palms, bushes
// and blades shows alpha-tested leaves with the triangle counts the quality
// levels promise.
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "render/gl_entry_points.h"
#include "scene/camera_gl.h"
#include "scene/frustum_gl.h"
#include "scene/object_detail.h"
#include "scene/scene_objects.h"
#include "tests/support/allocation_counter.h"
#include "tests/support/gl_table.h"
#include "tests/support/gl_test_context.h"
#include "tools/asset-common/asset_image.h"

namespace {

constexpr int kWidth = 128;
constexpr int kHeight = 96;

class SceneObjectsGLTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    context_ = new mgtest::GlTestContext(kWidth, kHeight);
    if (!context_->ok()) return;
    mgtest::LoadGlTable();
    glEnable(GL_DEPTH_TEST);
    objects_ = new scene::SceneObjects;
    scene::BuildObjectPrograms(*objects_);
    scene::LoadObjectModels(*objects_);

    // Palms and bushes in a row across the view, 900 to 1500 units ahead.
    for (int i = 0; i < 8; ++i) {
      const float x = -600.0f + 170.0f * i;
      objects_->palm.instances.push_back({x, 0.0f, -1500.0f});
      objects_->bushes[0].instances.push_back({x + 80.0f, 0.0f, -900.0f});
      objects_->bushes[3].instances.push_back({x + 40.0f, 0.0f, -1000.0f});
    }
    scene::BuildInstanceTree(objects_->palm);
    scene::BuildInstanceTree(objects_->bushes[0]);
    scene::BuildInstanceTree(objects_->bushes[3]);

    // A meadow of blades in front of the camera, spread over two cells.
    std::vector<scene::CVector3> blades;
    for (int row = 0; row < 20; ++row)
      for (int column = 0; column < 40; ++column)
        blades.push_back({-2000.0f + 100.0f * column, 0.0f, -200.0f - 40.0f * row});
    scene::TerrainGrid grid;
    grid.width = grid.height = 2049;
    bounds_ = scene::GetTerrainBounds(grid, 1.0f);
    scene::UploadGrassSet(objects_->landGrass, scene::MakeGrassBillboard(scene::kLandGrassSize),
                          blades, bounds_);
    scene::UploadGrassSet(objects_->shoreGrass, scene::MakeGrassBillboard(scene::kShoreGrassSize),
                          blades, bounds_);
    blades_ = blades;
  }
  static void TearDownTestSuite() {
    if (objects_ != nullptr && context_->ok()) scene::ReleaseObjectsGl(*objects_);
    delete objects_;
    delete context_;
  }

  void SetUp() override { ASSERT_TRUE(context_->ok()); }

  // Clears to magenta, which no texture holds, and draws one pass from a
  // camera 60 units up looking along -z; returns the counted triangles.
  static int Draw(int detailLevel, int pass, bool drawGrass = true) {
    glViewport(0, 0, kWidth, kHeight);
    glClearColor(1.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(65.0, static_cast<double>(kWidth) / kHeight, 10.0, 60000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    camera_.position = {0.0f, 60.0f, 0.0f};
    scene::ApplyView(camera_);
    scene::ExtractFrustumPlanes(frustum_);
    scene::GrassDrawContext draw;
    draw.camera = &camera_;
    draw.frustum = &frustum_;
    draw.detailLevel = detailLevel;
    draw.drawGrass = drawGrass;
    draw.timeSeconds = 0.5;
    int triangles = 0;
    draw.frameTriangles = &triangles;
    scene::DrawGrassAndPlants(*objects_, draw, pass);
    glFinish();
    return triangles;
  }

  // Writes the view as NAME.png into the folder MG_OBJECTS_SNAPSHOT names.
  static void Snapshot(const std::string& name) {
    const char* folder = std::getenv("MG_OBJECTS_SNAPSHOT");
    if (folder == nullptr) return;
    const std::vector<uint8_t> rgba = context_->ReadPixels();
    asset::Image image(kWidth, kHeight, 3);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const uint8_t* p = &rgba[(static_cast<size_t>(y) * kWidth + x) * 4];
        image.Set(x, kHeight - 1 - y, {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f});
      }
    }
    asset::WriteImage(image, std::string(folder) + "/" + name + ".png");
  }

  struct Coverage {
    int covered = 0;  // not the clear colour
    int green = 0;    // green above red and blue: leaves, fronds and blades
  };
  static Coverage Measure() {
    const std::vector<uint8_t> rgba = context_->ReadPixels();
    Coverage c;
    for (size_t i = 0; i < rgba.size(); i += 4) {
      const int r = rgba[i], g = rgba[i + 1], b = rgba[i + 2];
      if (!(r > 250 && g < 5 && b > 250)) ++c.covered;
      if (g > r && g > b) ++c.green;
    }
    return c;
  }

  static inline mgtest::GlTestContext* context_ = nullptr;
  static inline scene::SceneObjects* objects_ = nullptr;
  static inline scene::TerrainRect bounds_;
  static inline std::vector<scene::CVector3> blades_;
  static inline scene::Camera camera_;
  static inline scene::Frustum frustum_;
};

TEST_F(SceneObjectsGLTest, ProgramsLinkWithEveryListedUniform) {
  struct Case {
    const render::ShaderProgram* program;
    std::vector<const char*> uniforms;
  } cases[] = {
      {&objects_->grassProgram,
       {"grassMap", "noiseMap", "tboTransform", "time", "m_gama", "m_in", "eyePos", "up", "right"}},
      {&objects_->brushProgram,
       {"grassMap", "time", "m_gama", "m_in", "eyePos", "up", "right", "object_id", "object_pos"}},
      {&objects_->windProgram,
       {"grassMap", "noiseMap", "time", "rand_s", "use_wind", "m_gama", "in_water", "g_WaterHeight",
        "by_simple", "eyePos", "up", "right", "object_id", "object_pos"}},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(c.program->complete());
    GLint linked = GL_FALSE;
    render::Gl().glGetProgramiv(c.program->m_hProgramObject, GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_TRUE);
    for (const char* name : c.uniforms) EXPECT_GE(c.program->UniformLocation(name), 0) << name;
  }
}

TEST_F(SceneObjectsGLTest, ModelsLoadAndBushCopiesMultiplyTheTriangles) {
  EXPECT_TRUE(objects_->palm.uploaded);
  EXPECT_GT(objects_->palm.listIndexCount, 0);
  EXPECT_TRUE(objects_->palmAlt.uploaded);
  EXPECT_NE(objects_->palm.texture, 0u);
  EXPECT_NE(objects_->grassTexture, 0u);
  // Three copies give eight times the parsed triangles, one copy twice.
  EXPECT_EQ(objects_->bushes[0].listIndexCount, 4 * objects_->bushes[2].listIndexCount);
  EXPECT_EQ(objects_->bushes[1].listIndexCount, objects_->bushes[0].listIndexCount);
  EXPECT_EQ(objects_->bushes[3].listIndexCount, objects_->bushes[2].listIndexCount);
  EXPECT_FALSE(objects_->bushes[4].uploaded);
}

// Leaves, fronds and blades are cut out of their textures by the alpha test:
// the frame shows them, and between them the clear colour still shows
// through. The counted triangles follow the quality level: palms by stride,
// bush variants by level, grass as drawn strip indices (a tenth at level 2,
// five times the last ring copy at level 0).
TEST_F(SceneObjectsGLTest, DrawsCutOutLeavesAndCountsTrianglesPerLevel) {
  for (int level : {0, 1, 2}) {
    SCOPED_TRACE(level);
    const int triangles = Draw(level, 2);
    Snapshot("level" + std::to_string(level));
    const Coverage c = Measure();
    // Grass fills the lower part of the view and palms stand above it (at
    // level 2 a tenth of the blades: about 13 % of the view is covered, 35 %
    // at level 1), yet the gaps between blades and fronds that the alpha test
    // cuts leave the background visible.
    EXPECT_GT(c.covered, kWidth * kHeight / 20);
    EXPECT_LT(c.covered, kWidth * kHeight * 9 / 10);
    // Blended edges take on the magenta; a quarter of the covered pixels
    // stay plainly green.
    EXPECT_GT(c.green, c.covered / 6);

    const scene::ObjectDetail detail = scene::ObjectDetailFor(level);
    const scene::SceneModel& palm = objects_->palm;
    const int palmsExpected =
        detail.palmStride > 1 ? (8 + detail.palmStride - 1) / detail.palmStride : 8;
    EXPECT_EQ(palm.drawnInstances, palmsExpected);
    int expected =
        static_cast<int>(static_cast<double>(palm.listIndexCount) * palm.drawnInstances * 0.33333);
    for (int variant : detail.bushVariants)
      expected += scene::ModelTriangles(objects_->bushes[variant]);
    const scene::GrassDetail grass = scene::GrassDetailFor(level);
    int grassIndices = 0;
    for (const scene::GrassSet::Cell& cell : objects_->landGrass.cells)
      grassIndices += scene::DrawnStripIndices(cell.indexCount, grass.fraction);
    EXPECT_EQ(objects_->landGrass.drawnIndices, grassIndices);
    // Shore and land sets hold the same blades here.
    expected += 2 * grass.countFactor * grassIndices;
    EXPECT_EQ(triangles, expected);
  }
}

TEST_F(SceneObjectsGLTest, PassesAndTheGrassSwitchChooseWhatIsDrawn) {
  const scene::GrassSet& shore = objects_->shoreGrass;
  // Pass 1 (the ground under the water) draws only the shore grass.
  objects_->palm.drawnInstances = -1;
  EXPECT_EQ(Draw(1, 1), shore.drawnIndices);
  EXPECT_GT(shore.drawnIndices, 0);
  EXPECT_EQ(objects_->palm.drawnInstances, -1);
  // Pass 0 never draws the shore grass; palms still stand.
  objects_->shoreGrass.drawnIndices = -1;
  Draw(1, 0);
  EXPECT_EQ(objects_->shoreGrass.drawnIndices, -1);
  EXPECT_EQ(objects_->palm.drawnInstances, 4);
  // Without grass only palms and bushes are counted.
  const int triangles = Draw(1, 2, false);
  EXPECT_EQ(triangles,
            scene::ModelTriangles(objects_->palm) + scene::ModelTriangles(objects_->bushes[3]));
  EXPECT_GT(Measure().green, 0);
}

// Uniform locations are looked up once; after a first frame at each level
// no draw allocates.
TEST_F(SceneObjectsGLTest, FramesAllocateNothing) {
  if (!mgtest::kCountingAllocations)
    GTEST_SKIP() << "allocation counting is off under the sanitizer";
  for (int level : {0, 1, 2}) Draw(level, 2);
  const long before = mgtest::AllocationCount();
  for (int level : {0, 1, 2})
    for (int pass : {0, 1, 2}) Draw(level, pass);
  EXPECT_EQ(mgtest::AllocationCount() - before, 0);
}

// The rock is read from disk: the shipped file loads, a missing one costs
// only its line on standard output (no message box, nothing uploaded).
TEST_F(SceneObjectsGLTest, RockLoadsFromItsFileAndAMissingFileOnlySaysSo) {
  std::vector<std::u16string> boxes;
  const platform::MessageBoxHandler previous = platform::SetMessageBoxHandler(
      [&boxes](const platform::MessageBoxRequest& request) { boxes.emplace_back(request.text); });
  scene::SceneModel rock;
  const std::string rockPath = (std::filesystem::path(MG_SOURCE_DIR) / scene::kRockPath).string();
  EXPECT_TRUE(scene::LoadModelFromFile(rock, rockPath, {7.0f, {1, 1, 1}, 0}, true));
  EXPECT_GT(rock.listIndexCount, 0);
  EXPECT_GT(rock.geometry.box.maximum.y - rock.geometry.box.minimum.y, 7.0f);
  scene::SceneModel missing;
  testing::internal::CaptureStdout();
  EXPECT_FALSE(scene::LoadModelFromFile(missing, "no/such/rock.obj", {7.0f, {1, 1, 1}, 0}, true));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "File no/such/rock.obj not found!\n");
  EXPECT_FALSE(missing.uploaded);
  EXPECT_TRUE(boxes.empty());
  platform::SetMessageBoxHandler(previous);
  scene::ReleaseModelGl(rock);
}

// Instance records go into a buffer texture only when there are instances:
// one RGBA float texel (x, y, z, index) per instance.
TEST_F(SceneObjectsGLTest, InstanceRecordsFillABufferTextureOnlyWhenPresent) {
  scene::SceneModel model;
  model.geometry.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  model.geometry.normals.resize(3);
  model.geometry.texCoords.resize(6);
  model.geometry.indices = {0, 1, 2};
  ASSERT_TRUE(scene::UploadModelBuffers(model));
  EXPECT_EQ(model.instanceTexture, 0u);
  model.instances = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
  ASSERT_TRUE(scene::UploadModelBuffers(model));
  ASSERT_NE(model.instanceTexture, 0u);
  const auto getParameter = reinterpret_cast<PFNGLGETBUFFERPARAMETERIVPROC>(
      render::GlProcLookup()("glGetBufferParameteriv"));
  ASSERT_NE(getParameter, nullptr);
  GLint size = 0;
  render::Gl().glBindBuffer(GL_TEXTURE_BUFFER, model.buffers[4]);
  getParameter(GL_TEXTURE_BUFFER, GL_BUFFER_SIZE, &size);
  render::Gl().glBindBuffer(GL_TEXTURE_BUFFER, 0);
  EXPECT_EQ(size, 3 * 16);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  scene::ReleaseModelGl(model);
}

}  // namespace
