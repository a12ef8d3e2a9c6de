// The three passes on a real GL context: the sea mirrors the sky, caustics
// move under water, the plain pass has no water, the sky box's faces meet
// without a seam, the caustic clock follows the camera, and a frame
// allocates nothing.
//
// The context is 512 x 512 so that a reflection drawn at full size is wholly
// defined; the passes draw their main view into a small 96 x 72 corner,
// which is what the tests read (its reflection is 72 x 72).
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "render/gl_entry_points.h"
#include "render/offscreen_target.h"
#include "render/textures.h"
#include "scene/camera_gl.h"
#include "scene/render_passes.h"
#include "scene/scene_state.h"
#include "scene/sky_box.h"
#include "scene/terrain_grid.h"
#include "scene/water.h"
#include "tests/support/allocation_counter.h"
#include "tests/support/gl_table.h"
#include "tests/support/gl_test_context.h"
#include "tools/asset-common/asset_image.h"

namespace {

constexpr int kSurface = 512;
constexpr int kWidth = 96;
constexpr int kHeight = 72;
constexpr float kWater = 131.5f;

// The main view's pixels, RGB, bottom row first.
struct Picture {
  std::vector<uint8_t> rgb;
  const uint8_t* At(int x, int y) const { return &rgb[(static_cast<size_t>(y) * kWidth + x) * 3]; }
};

Picture ReadView(const mgtest::GlTestContext& context) {
  const std::vector<uint8_t> rgba = context.ReadPixels();
  Picture p;
  p.rgb.resize(static_cast<size_t>(kWidth) * kHeight * 3);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      for (int c = 0; c < 3; ++c)
        p.rgb[(static_cast<size_t>(y) * kWidth + x) * 3 + c] = rgba[(y * kSurface + x) * 4 + c];
  return p;
}

// Writes the view as NAME.png into the folder MG_PASSES_SNAPSHOT names.
void Snapshot(const Picture& picture, const char* name) {
  const char* folder = std::getenv("MG_PASSES_SNAPSHOT");
  if (folder == nullptr) return;
  asset::Image image(kWidth, kHeight, 3);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const uint8_t* p = picture.At(x, y);
      image.Set(x, kHeight - 1 - y, {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f});
    }
  }
  asset::WriteImage(image, std::string(folder) + "/" + name + ".png");
}

// The reflection texture: its side, and RGB rows, bottom row first.
struct Reflection {
  int size = 0;
  std::vector<uint8_t> rgb;
};

Reflection ReadReflection(const render::TextureSlots& textures) {
  render::Gl().glActiveTextureARB(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, textures.Get(render::TextureSlots::kWaterReflection));
  Reflection reflection;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &reflection.size);
  reflection.rgb.resize(static_cast<size_t>(reflection.size) * reflection.size * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, reflection.rgb.data());
  return reflection;
}

// Writes the reflection texture as NAME.png beside the views.
void SnapshotReflection(const render::TextureSlots& textures, const char* name) {
  const char* folder = std::getenv("MG_PASSES_SNAPSHOT");
  if (folder == nullptr) return;
  const Reflection reflection = ReadReflection(textures);
  const int size = reflection.size;
  const std::vector<uint8_t>& rgb = reflection.rgb;
  asset::Image image(size, size, 3);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const uint8_t* p = &rgb[(static_cast<size_t>(y) * size + x) * 3];
      image.Set(x, size - 1 - y, {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f});
    }
  }
  asset::WriteImage(image, std::string(folder) + "/" + name + ".png");
}

struct Mean {
  double r = 0, g = 0, b = 0;
  double brightness() const { return r + g + b; }
};
Mean MeanOf(const Picture& p, int firstRow, int lastRow) {
  Mean m;
  int n = 0;
  for (int y = firstRow; y < lastRow; ++y) {
    for (int x = 0; x < kWidth; ++x, ++n) {
      m.r += p.At(x, y)[0];
      m.g += p.At(x, y)[1];
      m.b += p.At(x, y)[2];
    }
  }
  m.r /= n;
  m.g /= n;
  m.b /= n;
  return m;
}

double MeanDifference(const Picture& a, const Picture& b) {
  double sum = 0;
  for (size_t i = 0; i < a.rgb.size(); ++i) sum += std::abs(a.rgb[i] - b.rgb[i]);
  return sum / static_cast<double>(a.rgb.size());
}

// A camera at `position` looking along `direction` (world y up).
scene::Camera LookingAlong(scene::CVector3 position, scene::CVector3 direction) {
  auto normalised = [](scene::CVector3 v) {
    const float l = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return scene::CVector3{v.x / l, v.y / l, v.z / l};
  };
  const scene::CVector3 f = normalised(direction);
  const scene::CVector3 side = normalised({-f.z, 0.0f, f.x});
  scene::Camera camera;
  camera.position = position;
  camera.back = {-f.x, -f.y, -f.z};
  camera.side = side;
  camera.up = {side.y * f.z - side.z * f.y, side.z * f.x - side.x * f.z,
               side.x * f.y - side.y * f.x};
  return camera;
}

class RenderPassesGLTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    context_ = new mgtest::GlTestContext(kSurface, kSurface);
    if (!context_->ok()) return;
    mgtest::LoadGlTable();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_CULL_FACE);
    textures_ = new render::TextureSlots;
    scene_ = new scene::SceneState;
    render::CreateEmptyClampedTexture(*textures_, scene::kReflectionSize, GL_RGB, GL_RGB,
                                      render::TextureSlots::kWaterReflection);
    scene::BuildWaterProgram(scene_->waterProgram);
    scene::BuildTerrainProgram(scene_->terrainProgram);
    scene::BuildSimpleProgram(scene_->simpleProgram);
    render::Gl().glUseProgramObjectARB(0);
    scene::LoadTerrainTextures(scene_->terrain, *textures_);
    render::LoadCausticSequence(scene_->causticFrames, *textures_,
                                render::TextureSlots::kFirstCausticFrame);
    scene::LoadSkyFaces(*textures_);
    scene::LoadWaterMaps(*textures_);
    scene::BuildTerrain(scene_->terrain, 1.0f, *textures_);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(65.0, static_cast<double>(kWidth) / kHeight, 10.0, 600000.0);
    glMatrixMode(GL_MODELVIEW);
  }
  static void TearDownTestSuite() {
    delete scene_;
    if (textures_ != nullptr) textures_->ReleaseAll();
    delete textures_;
    delete context_;
  }

  void SetUp() override { ASSERT_TRUE(context_->ok()); }

  static scene::PassContext Pass(const scene::Camera& camera, int readyLevel = 1) {
    scene::PassContext pass;
    pass.camera = &camera;
    pass.viewportWidth = kWidth;
    pass.viewportHeight = kHeight;
    pass.sceneReadyLevel = readyLevel;
    pass.textures = textures_;
    pass.detailLevel = 2;
    pass.waterHeight = kWater;
    pass.frameTimeMs = 0.0;
    return pass;
  }

  static scene::Camera MenuPose() {
    scene::Camera camera;
    scene::SetPose(camera, scene::kMenuPosePosition, scene::kMenuPoseAngles);
    return camera;
  }

  static inline mgtest::GlTestContext* context_ = nullptr;
  static inline render::TextureSlots* textures_ = nullptr;
  static inline scene::SceneState* scene_ = nullptr;
};

TEST_F(RenderPassesGLTest, EverythingLoadsAndEveryProgramLinks) {
  for (const render::ShaderProgram* program :
       {&scene_->waterProgram, &scene_->terrainProgram, &scene_->simpleProgram}) {
    ASSERT_TRUE(program->complete());
    GLint linked = GL_FALSE;
    render::Gl().glGetProgramiv(program->m_hProgramObject, GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_TRUE);
  }
  using render::TextureSlots;
  for (int slot : {TextureSlots::kWaterReflection, TextureSlots::kWaterOverlayMap,
                   TextureSlots::kWaterMap, TextureSlots::SkyFace(0), TextureSlots::SkyFace(5),
                   TextureSlots::CausticFrame(0), TextureSlots::CausticFrame(31)}) {
    EXPECT_NE(textures_->Get(slot), 0u) << slot;
  }
  // Units 1 and 4 of the sea have no texture of their own.
  EXPECT_EQ(textures_->Get(1), 0u);
  EXPECT_EQ(textures_->Get(4), 0u);
  EXPECT_FALSE(scene_->causticFrames.firstCall);
}

// Below the horizon the water pass shows the sea, which mirrors the bright
// blue sky; drawn without its program the quad is only the maps multiplied
// together, darker and less blue. The sea's pixels are those the water pass
// changes against the plain pass.
TEST_F(RenderPassesGLTest, WaterPassMirrorsTheSkyInTheSea) {
  const scene::Camera camera = MenuPose();
  scene::RenderPlainPass(*scene_, Pass(camera));
  const Picture plain = ReadView(*context_);
  scene::RenderWaterPass(*scene_, Pass(camera));
  const Picture withProgram = ReadView(*context_);
  Snapshot(withProgram, "water-menu");
  SnapshotReflection(*textures_, "reflection-menu");

  scene_->waterProgram.Release();
  scene::RenderWaterPass(*scene_, Pass(camera));
  const Picture withoutProgram = ReadView(*context_);
  Snapshot(withoutProgram, "water-menu-no-program");
  scene::BuildWaterProgram(scene_->waterProgram);
  render::Gl().glUseProgramObjectARB(0);

  Mean sea, flat;
  int count = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const uint8_t* p = plain.At(x, y);
      const uint8_t* w = withProgram.At(x, y);
      const uint8_t* f = withoutProgram.At(x, y);
      if (std::abs(p[0] - w[0]) + std::abs(p[1] - w[1]) + std::abs(p[2] - w[2]) < 30) continue;
      ++count;
      sea.r += w[0], sea.g += w[1], sea.b += w[2];
      flat.r += f[0], flat.g += f[1], flat.b += f[2];
    }
  }
  // The sea fills a band below the horizon at this pose.
  ASSERT_GT(count, kWidth * kHeight / 20);
  for (Mean* m : {&sea, &flat}) m->r /= count, m->g /= count, m->b /= count;
  EXPECT_GT(sea.brightness(), flat.brightness() + 60)
      << sea.brightness() << " " << flat.brightness();
  EXPECT_GT(sea.b - sea.r, flat.b - flat.r + 20) << sea.b - sea.r << " " << flat.b - flat.r;
  EXPECT_GT(sea.b, sea.r + 30);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Seen from above the water, the reflection shows above its horizon only
// the mirror image of what lies below the water: with the ground beneath the
// sea left out, that is the sky box alone. Mirroring the sea floor as well
// would hang it there as a ceiling (and cost seconds per frame here).
TEST_F(RenderPassesGLTest, ReflectionMirrorsOnlyWhatLiesAboveTheWater) {
  const scene::Camera camera = MenuPose();
  scene::RenderReflectionTexture(*scene_, Pass(camera, 1), kWater, scene::kReflectionSize);
  const std::vector<uint8_t> withGround = ReadReflection(*textures_).rgb;
  SnapshotReflection(*textures_, "reflection-ground");
  scene::RenderReflectionTexture(*scene_, Pass(camera, 0), kWater, scene::kReflectionSize);
  const std::vector<uint8_t> skyOnly = ReadReflection(*textures_).rgb;

  // The row of the horizon in the reflection's 512 x 512 view.
  GLdouble modelview[16], projection[16];
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  scene::ApplyView(camera);
  glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  const GLint viewport[4] = {0, 0, scene::kReflectionSize, scene::kReflectionSize};
  const scene::CVector3& p = camera.position;
  GLdouble wx, wy, wz;
  gluProject(p.x - camera.back.x * 1e5, p.y, p.z - camera.back.z * 1e5, modelview, projection,
             viewport, &wx, &wy, &wz);
  const int firstRow = static_cast<int>(wy) + 8;
  ASSERT_LT(firstRow, scene::kReflectionSize - 64);

  int largest = 0;
  const size_t from = static_cast<size_t>(firstRow) * scene::kReflectionSize * 3;
  for (size_t i = from; i < skyOnly.size(); ++i)
    largest = std::max(largest, std::abs(withGround[i] - skyOnly[i]));
  EXPECT_LE(largest, 2) << "rows from " << firstRow;
}

// In a frame smaller than 512 pixels a side (the command line's 160 x 120
// runs) the reflection is drawn at the frame's shorter side and the texture
// takes that size, so all of it holds the mirrored scene: no part of it is
// copied from outside the frame, which has no pixels there.
TEST_F(RenderPassesGLTest, AFrameSmallerThanTheReflectionFillsAllOfIt) {
  EXPECT_EQ(scene::ReflectionSizeFor(1024, 768), scene::kReflectionSize);
  EXPECT_EQ(scene::ReflectionSizeFor(160, 120), 120);
  EXPECT_EQ(scene::ReflectionSizeFor(0, 0), 1);
  render::OffscreenTarget frame;
  ASSERT_TRUE(frame.Create(render::GlProcLookup(), 160, 120));
  // Black where nothing is copied.
  const std::vector<uint8_t> black(scene::kReflectionSize * scene::kReflectionSize * 3, 0);
  glBindTexture(GL_TEXTURE_2D, textures_->Get(render::TextureSlots::kWaterReflection));
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, scene::kReflectionSize, scene::kReflectionSize, 0, GL_RGB,
               GL_UNSIGNED_BYTE, black.data());
  frame.Bind();
  const scene::Camera camera = MenuPose();
  scene::PassContext pass = Pass(camera);
  pass.viewportWidth = 160;
  pass.viewportHeight = 120;
  scene::RenderWaterPass(*scene_, pass);
  frame.Unbind();
  frame.Release();
  const Reflection reflection = ReadReflection(*textures_);
  SnapshotReflection(*textures_, "reflection-small-frame");
  ASSERT_EQ(reflection.size, 120);
  int darkest = 3 * 255;
  for (int by = 0; by < reflection.size; by += 8) {
    for (int bx = 0; bx < reflection.size; bx += 8) {
      int sum = 0;
      for (int y = by; y < by + 8; ++y) {
        for (int x = bx; x < bx + 8; ++x) {
          const uint8_t* p = &reflection.rgb[(static_cast<size_t>(y) * reflection.size + x) * 3];
          sum += p[0] + p[1] + p[2];
        }
      }
      darkest = std::min(darkest, sum / 64);
    }
  }
  EXPECT_GT(darkest, 60) << "an 8 x 8 block of the reflection is black";
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Under the surface, looking down at a shallow sea floor: two moments of the
// caustic loop give visibly different floors.
TEST_F(RenderPassesGLTest, CausticsMoveUnderWater) {
  // Out from the menu pose along its view until the floor lies between
  // about -250 and 20, well under the camera at 90.
  const scene::Camera menu = MenuPose();
  scene::CVector3 spot{};
  bool found = false;
  for (float d = 0.0f; d < 40000.0f && !found; d += 100.0f) {
    spot = {menu.position.x - menu.back.x * d, 90.0f, menu.position.z - menu.back.z * d};
    const scene::TerrainHeightSample floor =
        scene::SampleTerrainHeight(scene_->terrain.heightMap, scene_->terrain.grid,
                                   static_cast<int>(spot.x), static_cast<int>(spot.z), 12);
    found = floor.maximum < 20.0f && floor.minimum > -250.0f;
  }
  ASSERT_TRUE(found);
  const scene::Camera camera = LookingAlong(spot, {0.3f, -1.0f, 0.2f});
  scene::SetSceneTime(*scene_, 0.0);
  scene::RenderWaterPass(*scene_, Pass(camera));
  const Picture first = ReadView(*context_);
  Snapshot(first, "under-water-0");
  scene::SetSceneTime(*scene_, 8.5 * scene::kCausticFrameMs);
  scene::RenderWaterPass(*scene_, Pass(camera));
  const Picture later = ReadView(*context_);
  Snapshot(later, "under-water-8");
  scene::SetSceneTime(*scene_, 0.0);
  scene::RenderWaterPass(*scene_, Pass(camera));
  const Picture again = ReadView(*context_);

  // The same moment draws the same picture; a caustic frame eight steps on
  // moves the bright net by much more than a level or two per channel.
  EXPECT_LT(MeanDifference(first, again), 0.5);
  EXPECT_GT(MeanDifference(first, later), 2.0);

  // The overlay scales unit 2's texture matrix and puts it back, though the
  // terrain step leaves another unit active.
  render::Gl().glActiveTextureARB(GL_TEXTURE2);
  GLfloat matrix[16];
  glGetFloatv(GL_TEXTURE_MATRIX, matrix);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(matrix[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
}

// The plain pass draws no water: moving the water plane far below the island
// changes none of its pixels, while the water pass at the same pose differs.
TEST_F(RenderPassesGLTest, PlainPassShowsNoWater) {
  const scene::Camera camera = MenuPose();
  scene::RenderPlainPass(*scene_, Pass(camera));
  const Picture plain = ReadView(*context_);
  Snapshot(plain, "plain-menu");
  scene::PassContext lowWater = Pass(camera);
  lowWater.waterHeight = -10000.0f;
  scene::RenderPlainPass(*scene_, lowWater);
  EXPECT_EQ(MeanDifference(plain, ReadView(*context_)), 0.0);

  scene::RenderWaterPass(*scene_, Pass(camera));
  EXPECT_GT(MeanDifference(plain, ReadView(*context_)), 2.0);
}

TEST_F(RenderPassesGLTest, SimpleWaterPassLaysATranslucentQuad) {
  const scene::Camera camera = MenuPose();
  scene::RenderPlainPass(*scene_, Pass(camera));
  const Picture plain = ReadView(*context_);
  scene::RenderSimpleWaterPass(*scene_, Pass(camera));
  const Picture simple = ReadView(*context_);
  Snapshot(simple, "simple-menu");
  // The quad's blue 0.7 cover shows below the horizon, the sky above it
  // stays as the plain pass drew it.
  const Mean seaPlain = MeanOf(plain, 0, kHeight / 4);
  const Mean seaSimple = MeanOf(simple, 0, kHeight / 4);
  EXPECT_GT(seaSimple.b - seaSimple.r, seaPlain.b - seaPlain.r);
  EXPECT_NEAR(MeanOf(simple, kHeight - 4, kHeight).brightness(),
              MeanOf(plain, kHeight - 4, kHeight).brightness(), 1.0);
}

// Looking from the box's centre straight at an edge puts the edge between
// the two middle columns (or rows). A face turned or mirrored the wrong way
// makes that pair of lines differ far more than neighbouring lines do
// elsewhere; cloud edges make single pixels jump anyway, so lines are
// compared by their mean difference. Across the edge it must stay below
// twice the median over all pairs plus 4 levels (JPEG noise of the faces).
TEST_F(RenderPassesGLTest, SkyBoxFacesMeetWithoutSeams) {
  struct Case {
    const char* edge;
    scene::CVector3 direction;
    bool vertical;  // the edge runs up the picture
  } cases[] = {
      {"neg-z | pos-x at the sun", {1.0f, 0.15f, -1.0f}, true},
      {"pos-z | neg-x", {-1.0f, 0.3f, 1.0f}, true},
      {"neg-z | pos-y overhead", {0.0f, 1.0f, -1.0f}, false},
      {"neg-x | neg-y below", {-1.0f, -1.0f, 0.0f}, false},
  };
  for (const Case& c : cases) {
    const scene::Camera camera = LookingAlong({0.0f, 0.0f, 0.0f}, c.direction);
    scene::RenderPlainPass(*scene_, Pass(camera, 0));  // before loading: the sky alone
    const Picture sky = ReadView(*context_);
    Snapshot(sky, c.vertical ? "sky-edge-v" : "sky-edge-h");
    const int lines = c.vertical ? kWidth : kHeight;
    const int along = c.vertical ? kHeight : kWidth;
    std::vector<double> pairs;
    for (int line = 0; line + 1 < lines; ++line) {
      double sum = 0;
      for (int i = 0; i < along; ++i) {
        const uint8_t* a = c.vertical ? sky.At(line, i) : sky.At(i, line);
        const uint8_t* b = c.vertical ? sky.At(line + 1, i) : sky.At(i, line + 1);
        for (int ch = 0; ch < 3; ++ch) sum += std::abs(a[ch] - b[ch]);
      }
      pairs.push_back(sum / (3.0 * along));
    }
    const double acrossEdge = pairs[lines / 2 - 1];
    std::vector<double> sorted = pairs;
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted[sorted.size() / 2];
    EXPECT_LT(acrossEdge, 2.0 * median + 4.0) << c.edge << " median " << median;
    // Lit sky, not a face left black or white.
    const Mean m = MeanOf(sky, 0, kHeight);
    EXPECT_GT(m.brightness(), 120) << c.edge;
    EXPECT_LT(m.brightness(), 740) << c.edge;
  }
}

// The reflection is mirrored while the camera is above the water and drawn
// with the caustics at or below it, so the caustic clock steps twice per
// water-pass frame there, once above, and not at all above three times the
// water height.
TEST_F(RenderPassesGLTest, CausticClockStepsByCameraHeight) {
  struct Case {
    float cameraY;
    double expectedClockMs;
  } cases[] = {
      {kWater - 50.0f, 20.0}, {kWater, 20.0},           {kWater + 1.0f, 10.0},
      {3 * kWater, 10.0},     {3 * kWater + 1.0f, 0.0},
  };
  for (const Case& c : cases) {
    const scene::Camera camera = LookingAlong({0.0f, c.cameraY, 0.0f}, {1.0f, -0.2f, 0.0f});
    scene::SetSceneTime(*scene_, 0.0);
    scene::PassContext pass = Pass(camera, 0);
    pass.frameTimeMs = 10.0;
    scene::RenderWaterPass(*scene_, pass);
    EXPECT_DOUBLE_EQ(scene_->animation.causticClockMs, c.expectedClockMs) << c.cameraY;
    EXPECT_EQ(scene_->animation.causticFrame, 0) << c.cameraY;
  }
  scene::SetSceneTime(*scene_, 0.0);
}

TEST_F(RenderPassesGLTest, FramesAllocateNothing) {
  if (!mgtest::kCountingAllocations)
    GTEST_SKIP() << "allocation counting is off under the sanitizer";
  const scene::Camera camera = MenuPose();
  const scene::PassContext pass = Pass(camera, 3);
  for (auto render :
       {scene::RenderWaterPass, scene::RenderSimpleWaterPass, scene::RenderPlainPass}) {
    render(*scene_, pass);  // the first frame fills the driver's and the uniform caches
    glFinish();
    const long before = mgtest::AllocationCount();
    render(*scene_, pass);
    const long after = mgtest::AllocationCount();
    glFinish();
    EXPECT_EQ(after - before, 0);
  }
}

}  // namespace
