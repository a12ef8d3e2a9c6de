#include "scene/scene_objects.h"

#include <cstdio>
#include <filesystem>
#include <span>
#include <string_view>

#include "embedded/objects.h"
#include "platform/paths.h"
#include "render/gl_entry_points.h"
#include "render/image_decode.h"
#include "render/textures.h"
#include "scene/object_detail.h"
#include "scene/pass_times_gl.h"
#include "scene/placement.h"

namespace scene {
namespace {

GLuint TextureFromEmbedded(render::EmbeddedFile& file) {
  render::DibBitmap bitmap;
  const std::span<uint8_t> bytes = file.Unscrambled();
  render::DecodeImage(bitmap, bytes.data(), static_cast<int32_t>(bytes.size()), false);
  GLuint name = 0;
  render::CreateTextureFromBitmap(name, bitmap.Release(), true);
  return name;
}

std::string_view EmbeddedText(render::EmbeddedFile& file) {
  const std::span<uint8_t> bytes = file.Unscrambled();
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

void BuildProgram(render::ShaderProgram& program, render::EmbeddedFile& file,
                  std::string_view failureLine) {
  const std::span<uint8_t> text = file.Unscrambled();
  if (text.empty()) return;
  // Each text ends with a spare line: its last byte becomes the terminator.
  text.back() = 0;
  render::BuildCombinedProgram(program, reinterpret_cast<const char*>(text.data()), failureLine);
}

// Model numbers (and object id bases) count from 1 in loading order.
void Number(SceneModel& model, int& counter) {
  ++counter;
  model.number = counter;
  model.objectIdBase = counter;
}

struct FrameUniforms {
  float time = 0.0f;
  float eye[3] = {};
  float up[3] = {};
  float right[3] = {};
  float instanced = 0.0f;
};

void SetCameraUniforms(render::ShaderProgram& program, const FrameUniforms& u) {
  program.SetUniformFloat("time", u.time);
  program.SetUniformVec3("eyePos", u.eye);
  program.SetUniformVec3("up", u.up);
  program.SetUniformVec3("right", u.right);
}

void SetGrassUniforms(render::ShaderProgram& program, const FrameUniforms& u, float gamma) {
  program.Bind();
  program.SetUniformInt("grassMap", 0);
  program.SetUniformFloat("m_gama", gamma);
  program.SetUniformFloat("m_in", u.instanced);
  program.SetUniformInt("tboTransform", 7);
  SetCameraUniforms(program, u);
}

// One grass set by the quality level's rule; returns the triangles counted.
int DrawGrassByDetail(SceneObjects& objects, GrassSet& set, const GrassDrawContext& context,
                      const FrameUniforms& u) {
  const GrassDetail detail = GrassDetailFor(context.detailLevel);
  if (detail.mode != GrassDrawMode::kNone) {
    BeginModelTextures(objects.grassTexture, objects.noiseTexture, context.filled);
    if (detail.mode == GrassDrawMode::kOnce) {
      DrawGrassSet(set, *context.frustum, detail.fraction);
    } else {
      const CVector3 right{u.right[0], u.right[1], u.right[2]};
      for (const GrassRingCopy& copy : GrassRingCopies()) {
        glPushMatrix();
        const CVector3 up = RotateAboutY(right, static_cast<int>(copy.angleDegrees));
        objects.grassProgram.SetUniformVec3("up", &up.x);
        glTranslatef(copy.offset.x, copy.offset.y, copy.offset.z);
        DrawGrassSet(set, *context.frustum, 1.0f);
        glPopMatrix();
      }
    }
    EndModelTextures(context.filled);
  }
  return detail.countFactor * set.drawnIndices;
}

void AddTriangles(const GrassDrawContext& context, int triangles) {
  if (context.frameTriangles != nullptr) *context.frameTriangles += triangles;
}

void SetStrides(SceneObjects& objects, int detailLevel) {
  const ObjectDetail detail = ObjectDetailFor(detailLevel);
  objects.palm.stride = detail.palmStride;
  objects.palmAlt.stride = 0;
  for (SceneModel& bush : objects.bushes) bush.stride = detail.bushStride;
}

}  // namespace

void BuildObjectPrograms(SceneObjects& objects) {
  BuildProgram(objects.grassProgram, embedded::grass_shader,
               "Failed to load shader for gras (Er2)!\n");
  BuildProgram(objects.brushProgram, embedded::brush_shader,
               "Failed to load shader for Brush (Er3)!\n");
  BuildProgram(objects.windProgram, embedded::wind_shader,
               "Failed to load shader for Wind (Er4)!\n");
  if (objects.grassProgram.complete()) {
    objects.grassProgram.Bind();
    objects.grassProgram.SetUniformInt("grassMap", 0);
    objects.grassProgram.SetUniformInt("noiseMap", 1);
    objects.grassProgram.Unbind();
  }
}

void LoadObjectModels(SceneObjects& objects) {
  objects.palmTexture = TextureFromEmbedded(embedded::palm_texture);
  objects.bushTexture = TextureFromEmbedded(embedded::bush_texture);
  objects.grassTexture = TextureFromEmbedded(embedded::grass_texture);
  objects.noiseTexture = TextureFromEmbedded(embedded::noise_texture);
  objects.rockTexture = TextureFromEmbedded(embedded::object_texture);

  int counter = 0;
  Number(objects.palm, counter);
  LoadModelFromText(objects.palm, EmbeddedText(embedded::palm_obj), {}, true);
  objects.palm.texture = objects.palmTexture;
  objects.palm.program = &objects.windProgram;
  Number(objects.palmAlt, counter);
  LoadModelFromText(objects.palmAlt, EmbeddedText(embedded::palm_alt_obj), {}, true);
  objects.palmAlt.texture = objects.palmTexture;
  objects.palmAlt.program = &objects.windProgram;

  const std::string_view bush = EmbeddedText(embedded::bush_obj);
  constexpr CVector3 kBushScale{4.0f, 1.0f, 4.0f};
  const ModelShaping bushShapes[4] = {
      {0.98f, kBushScale, 3}, {1.3f, kBushScale, 3}, {0.98f, kBushScale, 1}, {1.3f, kBushScale, 1}};
  for (int v = 0; v < kBushModels; ++v) {
    SceneModel& model = objects.bushes[v];
    Number(model, counter);
    model.program = &objects.brushProgram;
    model.texture = objects.bushTexture;
    if (v < 4) LoadModelFromText(model, bush, bushShapes[v], true);
  }
  Number(objects.rock, counter);
  const std::filesystem::path dataDir = platform::InstalledDataDir();
  std::filesystem::path rock = platform::FindDataFile(kRockPath, {}, dataDir);
  if (rock.empty()) {
    // Loading it anyway reports the missing file; the scene goes on without it.
    std::fprintf(stderr, "The rock model %s is neither in the working folder nor in %s.\n",
                 kRockPath, dataDir.string().c_str());
    rock = kRockPath;
  }
  LoadModelFromFile(objects.rock, rock.string(), {7.0f, {1.0f, 1.0f, 1.0f}, 0}, true);
  objects.rock.texture = objects.rockTexture;
}

void PlaceObjectsStep(SceneObjects& objects, Terrain& terrain, ScenePlacement& placed, int step) {
  PlaceSceneStep(terrain.heightMap, terrain.grid, terrain.placement, terrain.random, step, placed);
  if (step == 4) {
    objects.palm.instances = std::move(placed.palms);
    for (int v = 0; v < kBushVariants; ++v) {
      objects.bushes[v].instances = std::move(placed.bushes[v]);
    }
    BuildInstanceTree(objects.palm);
    for (SceneModel& bush : objects.bushes) BuildInstanceTree(bush);
  } else if (step == 5) {
    UploadGrassSet(objects.landGrass, MakeGrassBillboard(kLandGrassSize), placed.landGrass,
                   GetTerrainBounds(terrain.grid, 1.0f));
  } else if (step == 6) {
    UploadGrassSet(objects.shoreGrass, MakeGrassBillboard(kShoreGrassSize), placed.shoreGrass,
                   GetTerrainBounds(terrain.grid, 1.0f));
  }
}

void PlaceObjects(SceneObjects& objects, Terrain& terrain) {
  ScenePlacement placed;
  for (int step = 1; step <= kPlaceObjectSteps; ++step) {
    PlaceObjectsStep(objects, terrain, placed, step);
  }
}

void DrawGrassAndPlants(SceneObjects& objects, const GrassDrawContext& context, int pass) {
  if (context.frustum == nullptr) return;
  FrameUniforms u;
  const double seconds =
      context.timeSeconds >= 0.0
          ? context.timeSeconds
          : std::chrono::duration<double>(std::chrono::steady_clock::now() - objects.start).count();
  u.time = static_cast<float>(seconds);
  if (context.camera != nullptr) {
    const Camera& camera = *context.camera;
    const CVector3* axes[3] = {&camera.position, &camera.up, &camera.side};
    float* out[3] = {u.eye, u.up, u.right};
    for (int a = 0; a < 3; ++a) {
      out[a][0] = axes[a]->x;
      out[a][1] = axes[a]->y;
      out[a][2] = axes[a]->z;
    }
  }
  u.instanced = render::Gl().glDrawElementsInstancedARB != nullptr ? 1.0f : 0.0f;
  const float gamma = context.globalGamma;

  if (pass != 0 && context.drawGrass) {
    SetGrassUniforms(objects.grassProgram, u, gamma * 1.1f);
    AddTriangles(context, DrawGrassByDetail(objects, objects.shoreGrass, context, u));
    objects.grassProgram.Unbind();
    MarkPass(context.times, PassStage::ShoreGrass);
  }
  if (pass == 1) return;

  render::ShaderProgram& wind = objects.windProgram;
  wind.Bind();
  wind.SetUniformInt("grassMap", 0);
  wind.SetUniformInt("noiseMap", 1);
  SetCameraUniforms(wind, u);
  wind.SetUniformFloat("rand_s", 1.0f);
  wind.SetUniformFloat("use_wind", 1.0f);
  wind.SetUniformFloat("m_gama", gamma * 1.1f);
  wind.SetUniformFloat("in_water", static_cast<float>(pass));
  wind.SetUniformFloat("g_WaterHeight", context.waterHeight);
  wind.SetUniformFloat("by_simple", 0.0f);
  SetStrides(objects, context.detailLevel);
  if (context.drawPalms) {
    SceneModel& palm = context.detailLevel == 8 ? objects.palmAlt : objects.palm;
    const int drawn =
        DrawModelInstances(palm, *context.frustum, objects.noiseTexture, context.filled);
    AddTriangles(context, static_cast<int>(static_cast<double>(objects.palm.listIndexCount) *
                                           drawn * 0.33333));
  }
  wind.Unbind();
  MarkPass(context.times, PassStage::Palms);

  render::ShaderProgram& brush = objects.brushProgram;
  brush.Bind();
  SetCameraUniforms(brush, u);
  brush.SetUniformInt("grassMap", 0);
  brush.SetUniformFloat("m_gama", gamma);
  brush.SetUniformFloat("m_in", u.instanced);
  for (int variant : ObjectDetailFor(context.detailLevel).bushVariants) {
    SceneModel& bush = objects.bushes[variant];
    DrawModelInstances(bush, *context.frustum, objects.noiseTexture, context.filled);
    AddTriangles(context, ModelTriangles(bush));
  }
  brush.Unbind();
  MarkPass(context.times, PassStage::Bushes);

  if (context.drawGrass) {
    SetGrassUniforms(objects.grassProgram, u, gamma);
    AddTriangles(context, DrawGrassByDetail(objects, objects.landGrass, context, u));
    objects.grassProgram.Unbind();
    MarkPass(context.times, PassStage::LandGrass);
  }
}

void ReleaseObjectsGl(SceneObjects& objects) {
  ReleaseModelGl(objects.palm);
  ReleaseModelGl(objects.palmAlt);
  for (SceneModel& bush : objects.bushes) ReleaseModelGl(bush);
  ReleaseModelGl(objects.rock);
  ReleaseGrassGl(objects.landGrass);
  ReleaseGrassGl(objects.shoreGrass);
  objects.grassProgram.Release();
  objects.windProgram.Release();
  objects.brushProgram.Release();
  GLuint textures[] = {objects.palmTexture, objects.bushTexture, objects.grassTexture,
                       objects.noiseTexture, objects.rockTexture};
  glDeleteTextures(5, textures);
  objects.palmTexture = objects.bushTexture = objects.grassTexture = objects.noiseTexture =
      objects.rockTexture = 0;
}

}  // namespace scene
