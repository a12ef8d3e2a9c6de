#include "scene/terrain.h"

#include <charconv>
#include <cstring>
#include <string>

#include "embedded/terrain.h"
#include "platform/debug_output.h"
#include "platform/message_box.h"
#include "render/bitmap_messages.h"
#include "render/dib_bitmap.h"
#include "render/gl_entry_points.h"
#include "render/image_decode.h"
#include "render/textures.h"

namespace scene {
namespace {

// "dummm_c: <count>\n", the build's progress in the debug output.
void ReportBuiltPatch(int count) {
  char text[32] = "dummm_c: ";
  char* end = std::to_chars(text + 9, text + sizeof text - 1, count).ptr;
  *end++ = '\n';
  platform::DebugOutput(std::string_view(text, static_cast<size_t>(end - text)));
}

PixelImage DecodeToPixels(render::EmbeddedFile& file) {
  PixelImage image;
  render::DibBitmap bitmap;
  const std::span<uint8_t> bytes = file.Unscrambled();
  if (!render::DecodeImage(bitmap, bytes.data(), static_cast<int32_t>(bytes.size()), false) ||
      bitmap.empty()) {
    return image;
  }
  const render::BitmapDescription& d = bitmap.description();
  const int bytesPerPixel = d.bitsPixel / 8;
  if (bytesPerPixel != 1 && bytesPerPixel != 3 && bytesPerPixel != 4) return image;
  image = MakePixelImage(d.width, d.height, 0);
  for (int y = 0; y < d.height; ++y) {
    const uint8_t* row = bitmap.pixels() + static_cast<size_t>(y) * d.widthBytes;
    for (int x = 0; x < d.width; ++x) {
      const uint8_t* p = row + static_cast<size_t>(x) * bytesPerPixel;
      const uint32_t b = p[0];
      const uint32_t g = bytesPerPixel == 1 ? p[0] : p[1];
      const uint32_t r = bytesPerPixel == 1 ? p[0] : p[2];
      image.pixels[static_cast<size_t>(y) * d.width + x] = 0xFF000000u | r << 16 | g << 8 | b;
    }
  }
  return image;
}

PixelImage TileOrFallback(render::EmbeddedFile& file, const PixelImage& fallback, float factor) {
  PixelImage tile = DecodeToPixels(file);
  if (tile.empty()) tile = fallback;
  ScaleColour(tile, factor);
  return tile;
}

render::BitmapHandle DecodeEmbedded(render::EmbeddedFile& file) {
  render::DibBitmap bitmap;
  const std::span<uint8_t> bytes = file.Unscrambled();
  render::DecodeImage(bitmap, bytes.data(), static_cast<int32_t>(bytes.size()), false);
  return bitmap.Release();
}

// The painted images become mipmapped textures; memory row 0 is the first
// texture row, as for every bitmap.
render::BitmapHandle PixelsToBitmap(const PixelImage& image) {
  render::DibBitmap bitmap;
  if (!render::CreateBitmapOrReport(bitmap, image.width, image.height)) return nullptr;
  const int64_t rowBytes = bitmap.description().widthBytes;
  for (int y = 0; y < image.height; ++y) {
    std::memcpy(bitmap.pixels() + y * rowBytes,
                image.pixels.data() + static_cast<size_t>(y) * image.width,
                static_cast<size_t>(image.width) * 4);
  }
  return bitmap.Release();
}

void SelectUnit(int unit) {
  if (render::Gl().glActiveTextureARB != nullptr)
    render::Gl().glActiveTextureARB(GL_TEXTURE0 + unit);
}

}  // namespace

TerrainTiles LoadTerrainTiles() {
  const TerrainTiles fallback = FallbackTerrainTiles();
  TerrainTiles tiles;
  tiles.middle = TileOrFallback(embedded::terrain_tile_middle, fallback.middle, kMiddleTileFactor);
  tiles.high = TileOrFallback(embedded::terrain_tile_high, fallback.high, kHighTileFactor);
  tiles.low = TileOrFallback(embedded::terrain_tile_low, fallback.low, kLowTileFactor);
  tiles.base = TileOrFallback(embedded::terrain_tile_base, fallback.base, kBaseTileFactor);
  return tiles;
}

void LoadTerrainTextures(Terrain& terrain, render::TextureSlots& textures) {
  render::CreateTextureFromBitmap(terrain.regionColourMaps[0],
                                  DecodeEmbedded(embedded::terrain_region1), true);
  render::CreateTextureFromBitmap(terrain.regionColourMaps[1],
                                  DecodeEmbedded(embedded::terrain_region2), true);
  render::CreateTextureFromBitmap(terrain.regionColourMaps[2],
                                  DecodeEmbedded(embedded::terrain_region3), true);
  render::CreateTextureInSlot(textures, render::TextureSlots::kTerrainDetailMap,
                              DecodeEmbedded(embedded::terrain_detail), true);
}

bool ReportMissingStatistics(const HeightMap& map) {
  if (map.HasStatistics()) return true;
  platform::ShowMessageBox(kMissingStatisticsMessage, u"");
  return false;
}

int BuildTerrain(Terrain& terrain, float scale, render::TextureSlots& textures) {
  const int seed = terrain.buildCounter + 55;
  TerrainCpuBuild build = BuildTerrainCpu(11, seed, scale, LoadTerrainTiles(), terrain.random);
  terrain.buildCounter += 1;
  ReportMissingStatistics(build.heightMap);
  if (build.colourMaps) {
    using render::TextureSlots;
    render::CreateTextureInSlot(textures, TextureSlots::kTerrainRegionMask,
                                PixelsToBitmap(build.colourMaps->regionMask), true);
    render::CreateTextureInSlot(textures, TextureSlots::kTerrainColourMap,
                                PixelsToBitmap(build.colourMaps->colourMap), true);
  }
  build.colourMaps.reset();
  terrain.grid = build.grid;
  BuildTerrainMesh(terrain, build);
  terrain.heightMap = std::move(build.heightMap);
  return 1;
}

void BuildTerrainMesh(Terrain& terrain, const TerrainCpuBuild& build) {
  terrain.vertexCount = 0;
  terrain.nominalTriangles = 0;
  terrain.built = true;
  terrain.patches.clear();
  terrain.cullingTree.Clear();
  terrain.grid = build.grid;
  const TerrainVertexGrid& grid = build.vertices;
  terrain.vertexCount = grid.width * grid.height;
  const int perSide = build.patchesPerSide;
  terrain.patchesPerSide = perSide;
  long long nominal = 0;
  PatchVertices scratch;
  for (int pr = 0; pr < perSide; ++pr) {
    for (int pc = 0; pc < perSide; ++pc) {
      const int key = pr * perSide + pc;
      ReportBuiltPatch(++terrain.builtPatches);
      auto patch = std::make_unique<BufferMesh>();
      CopyPatchVertices(grid, pr * (kPatchSide - 1), pc * (kPatchSide - 1), kPatchSide, scratch);
      patch->box = scratch.box;
      patch->Upload(scratch.positions, scratch.normals, scratch.texCoords);
      patch->BuildStripBuffer(kPatchSide, true, nullptr);
      patch->BuildStripBuffer(kPatchSide, false, build.flatFlags[key].data());
      terrain.cullingTree.Add(key, patch->box);
      nominal += 2LL * patch->vertexCount();
      terrain.patches.emplace(key, std::move(patch));
    }
  }
  terrain.nominalTriangles = static_cast<int>(nominal);
  terrain.cullingTree.Build();
}

void DrawTerrain(const Terrain& terrain, WaterRelation relation, const TerrainDrawState& state) {
  SelectUnit(0);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, state.colourMap);
  glEnable(GL_CULL_FACE);
  SelectUnit(1);
  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
  glTexEnvi(GL_TEXTURE_ENV, GL_RGB_SCALE, 2);
  glBindTexture(GL_TEXTURE_2D, state.detailMap);
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glScalef(128.0f, 128.0f, 1.0f);
  glMatrixMode(GL_MODELVIEW);

  if (terrain.patches.empty()) {
    if (state.terrainTriangles != nullptr) *state.terrainTriangles = 0;
  } else {
    // The tree has culled the patches; each is drawn without a test of its
    // own, clipped at the water height.
    const MeshDrawState meshState{nullptr, state.detailLevel, state.waterHeight};
    auto drawPatch = [&](int key) {
      const auto found = terrain.patches.find(key);
      return found != terrain.patches.end() ? found->second->Draw(relation, meshState) : 0;
    };
    const int drawn = state.frustum != nullptr ? terrain.cullingTree.Walk(*state.frustum, drawPatch)
                                               : terrain.cullingTree.WalkAll(drawPatch);
    // Every strip index counts as one triangle. Divided exactly: scaling by
    // a rounded third and truncating would lose one triangle per draw.
    const int triangles = drawn / 3;
    if (state.frameTriangles != nullptr) *state.frameTriangles += triangles;
    if (state.terrainTriangles != nullptr) *state.terrainTriangles += triangles;
  }

  SelectUnit(1);
  glDisable(GL_TEXTURE_2D);
  SelectUnit(0);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_CULL_FACE);
}

void SetTerrainUniforms(render::ShaderProgram& program, WaterRelation relation,
                        const CVector3& eyePosition, float globalGamma, float waterHeight) {
  const float eye[3] = {eyePosition.x, eyePosition.y, eyePosition.z};
  program.SetUniformFloat("in_seed", 44.0f);
  program.SetUniformFloat("tilingFactor", 128.0f);
  program.SetUniformVec3("eyePos", eye);
  program.SetUniformInt("base_ter", 3);
  program.SetUniformInt("region1ColorMap", 4);
  program.SetUniformInt("region2ColorMap", 5);
  program.SetUniformInt("region3ColorMap", 6);
  program.SetUniformInt("refraction", 7);
  program.SetUniformInt("base_ter_old", 8);
  program.SetUniformInt("detail", 9);
  program.SetUniformFloat("in_water", InWaterUniform(relation));
  program.SetUniformFloat("m_gama", static_cast<float>(static_cast<double>(globalGamma) * 1.3));
  program.SetUniformFloat("g_WaterHeight", waterHeight);
}

bool BuildTerrainProgram(render::ShaderProgram& program) {
  const std::span<uint8_t> text = embedded::terrain_shader.Unscrambled();
  if (text.empty()) return false;
  // The text ends with a spare line: its last byte becomes the terminator.
  text.back() = 0;
  render::BuildCombinedProgram(program, reinterpret_cast<const char*>(text.data()),
                               "Failed to load shader for Terrain (Er1)!\n");
  return program.complete();
}

void EnableSceneLighting() {
  const GLfloat colour[4] = {2.31f, 2.31f, 2.31f, 1.0f};
  const GLfloat position[4] = {-20000.0f, 500.0f, 20000.0f, 0.1f};
  const GLfloat emission[4] = {0.33f, 0.33f, 0.33f, 1.0f};
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, colour);
  glLightfv(GL_LIGHT0, GL_SPECULAR, colour);
  glLightfv(GL_LIGHT0, GL_POSITION, position);
  glMaterialfv(GL_FRONT, GL_EMISSION, emission);
  glMaterialf(GL_FRONT, GL_SHININESS, 16.0f);
}

void DisableSceneLighting() {
  glDisable(GL_LIGHTING);
  glDisable(GL_LIGHT0);
}

}  // namespace scene
