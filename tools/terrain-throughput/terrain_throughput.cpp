// Draws the terrain's 256 patches as the triangle strips the program builds,
// with fixed-function GL and one texture, off-screen, and prints what GL
// assembled per second. No shader, no culling, no other object: the most a
// driver draws of this terrain, to hold the program's own figures against.
// The camera takes poses spread over the benchmark's recorded path (a file
// of 32-byte keyframes after a 4-byte header), so that the view is the
// run's; without a path it looks at the whole island from above.
//
//   terrain-throughput [--size WxH] [--frames N] [--detail fine|coarse]
//                      [--path camera_path.bin [--keyframes N]]
// --keyframes keeps the path's first N keyframes, as a shortened run does.
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#include <SDL2/SDL.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "scene/camera.h"
#include "scene/scene_random.h"
#include "scene/terrain_build.h"
#include "scene/terrain_mesh.h"

namespace {

struct Options {
  int width = 320;
  int height = 240;
  int frames = 10;
  bool coarse = false;
  std::string path;
  size_t keyframes = 0;  // 0: all
};

// The path's keyframes as poses: position, then yaw and pitch.
struct Pose {
  float x, y, z, yaw, pitch;
};

std::vector<Pose> ReadPath(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<Pose> poses;
  for (size_t at = 4; at + 32 <= bytes.size(); at += 32) {
    float fields[5];
    std::memcpy(fields, bytes.data() + at, sizeof fields);
    poses.push_back({fields[0], fields[1], fields[2], fields[3], fields[4]});
  }
  return poses;
}

// The program's view: along -back from the position, with its up axis.
void LookFrom(const Pose& pose) {
  scene::Camera camera;
  scene::SetPose(camera, {pose.x, pose.y, pose.z}, {pose.yaw, pose.pitch, 0.0f});
  const scene::CVector3& p = camera.position;
  glLoadIdentity();
  gluLookAt(p.x, p.y, p.z, p.x - camera.back.x, p.y - camera.back.y, p.z - camera.back.z,
            camera.up.x, camera.up.y, camera.up.z);
}

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i], value = argv[i + 1];
    if (name == "--size") {
      if (std::sscanf(value.c_str(), "%dx%d", &options.width, &options.height) != 2) return false;
    } else if (name == "--frames") {
      options.frames = std::atoi(value.c_str());
    } else if (name == "--keyframes") {
      options.keyframes = static_cast<size_t>(std::atoi(value.c_str()));
    } else if (name == "--path") {
      options.path = value;
    } else if (name == "--detail" && (value == "fine" || value == "coarse")) {
      options.coarse = value == "coarse";
    } else {
      return false;
    }
  }
  return argc % 2 == 1 && options.frames > 0 && options.width > 0 && options.height > 0;
}

struct Gl {
  PFNGLGENBUFFERSPROC genBuffers;
  PFNGLBINDBUFFERPROC bindBuffer;
  PFNGLBUFFERDATAPROC bufferData;
  PFNGLGENQUERIESPROC genQueries;
  PFNGLBEGINQUERYPROC beginQuery;
  PFNGLENDQUERYPROC endQuery;
  PFNGLGETQUERYOBJECTUIVPROC getQueryObjectuiv;
};

template <typename F>
void Load(F& f, const char* name) {
  f = reinterpret_cast<F>(SDL_GL_GetProcAddress(name));
  if (f == nullptr) {
    std::fprintf(stderr, "terrain-throughput: no %s\n", name);
    std::exit(1);
  }
}

struct Patch {
  GLuint positions = 0, texCoords = 0, strip = 0;
  int count = 0;
};

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: terrain-throughput [--size WxH] [--frames N] "
                 "[--detail fine|coarse] [--path camera_path.bin [--keyframes N]]\n");
    return 2;
  }
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "terrain-throughput: %s\n", SDL_GetError());
    return 1;
  }
  SDL_Window* window = SDL_CreateWindow("terrain-throughput", 0, 0, options.width, options.height,
                                        SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
  if (context == nullptr) {
    std::fprintf(stderr, "terrain-throughput: %s\n", SDL_GetError());
    return 1;
  }
  Gl gl{};
  Load(gl.genBuffers, "glGenBuffers");
  Load(gl.bindBuffer, "glBindBuffer");
  Load(gl.bufferData, "glBufferData");
  Load(gl.genQueries, "glGenQueries");
  Load(gl.beginQuery, "glBeginQuery");
  Load(gl.endQuery, "glEndQuery");
  Load(gl.getQueryObjectuiv, "glGetQueryObjectuiv");

  scene::SceneRandom random;
  const scene::TerrainCpuBuild build =
      scene::BuildTerrainCpu(11, 55, 1.0f, scene::FallbackTerrainTiles(), random);
  const int perSide = build.patchesPerSide;
  std::vector<Patch> patches;
  scene::PatchVertices vertices;
  std::vector<uint32_t> indices;
  long long indexTotal = 0;
  for (int key = 0; key < perSide * perSide; ++key) {
    const int row = key / perSide, column = key % perSide;
    scene::CopyPatchVertices(build.vertices, row * (scene::kPatchSide - 1),
                             column * (scene::kPatchSide - 1), scene::kPatchSide, vertices);
    Patch patch;
    gl.genBuffers(1, &patch.positions);
    gl.bindBuffer(GL_ARRAY_BUFFER, patch.positions);
    gl.bufferData(GL_ARRAY_BUFFER, vertices.positions.size() * sizeof(float),
                  vertices.positions.data(), GL_STATIC_DRAW);
    gl.genBuffers(1, &patch.texCoords);
    gl.bindBuffer(GL_ARRAY_BUFFER, patch.texCoords);
    gl.bufferData(GL_ARRAY_BUFFER, vertices.texCoords.size() * sizeof(float),
                  vertices.texCoords.data(), GL_STATIC_DRAW);
    const int n = scene::kPatchSide;
    indices.assign(static_cast<size_t>(scene::FineStripCapacity(n)), 0);
    patch.count = options.coarse
                      ? scene::WriteCoarseStrip(n, indices.data())
                      : scene::WriteFineStrip(build.flatFlags[key].data(), n, indices.data());
    gl.genBuffers(1, &patch.strip);
    gl.bindBuffer(GL_ELEMENT_ARRAY_BUFFER, patch.strip);
    gl.bufferData(GL_ELEMENT_ARRAY_BUFFER, patch.count * sizeof(uint32_t), indices.data(),
                  GL_STATIC_DRAW);
    indexTotal += patch.count;
    patches.push_back(patch);
  }

  // One 256 x 256 texture, mipmapped and filtered as plainly as possible.
  std::vector<uint8_t> texels(256 * 256 * 3);
  for (size_t i = 0; i < texels.size(); ++i) texels[i] = static_cast<uint8_t>((i * 37) >> 3);
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_TRUE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 256, 256, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_CULL_FACE);

  glViewport(0, 0, options.width, options.height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(65.0, static_cast<double>(options.width) / options.height, 10.0, 600000.0);
  glMatrixMode(GL_MODELVIEW);
  std::vector<Pose> path = options.path.empty() ? std::vector<Pose>{} : ReadPath(options.path);
  if (options.keyframes > 0 && options.keyframes < path.size()) path.resize(options.keyframes);
  if (!options.path.empty() && path.empty()) {
    std::fprintf(stderr, "terrain-throughput: no keyframes in %s\n", options.path.c_str());
    return 1;
  }
  // Without a path: the whole island from above its centre, as a wide shot.
  const float side = static_cast<float>(build.grid.width - 1) * build.grid.cellSize;
  const auto place = [&](int frame) {
    if (!path.empty()) {
      LookFrom(path[path.size() * static_cast<size_t>(frame) / options.frames]);
      return;
    }
    glLoadIdentity();
    gluLookAt(side / 2, side * 0.8f, side * 1.2f, side / 2, 0.0, side / 2, 0.0, 1.0, 0.0);
  };

  GLuint query = 0;
  gl.genQueries(1, &query);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  unsigned long long assembled = 0;
  const auto draw = [&] {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (const Patch& patch : patches) {
      gl.bindBuffer(GL_ARRAY_BUFFER, patch.positions);
      glVertexPointer(3, GL_FLOAT, 0, nullptr);
      gl.bindBuffer(GL_ARRAY_BUFFER, patch.texCoords);
      glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
      gl.bindBuffer(GL_ELEMENT_ARRAY_BUFFER, patch.strip);
      glDrawElements(GL_TRIANGLE_STRIP, patch.count, GL_UNSIGNED_INT, nullptr);
    }
    glFinish();
  };
  place(0);
  draw();  // the first frame pays for uploads and compiles
  const auto start = std::chrono::steady_clock::now();
  for (int frame = 0; frame < options.frames; ++frame) {
    place(frame);
    gl.beginQuery(GL_PRIMITIVES_GENERATED, query);
    draw();
    gl.endQuery(GL_PRIMITIVES_GENERATED);
    GLuint count = 0;
    gl.getQueryObjectuiv(query, GL_QUERY_RESULT, &count);
    assembled += count;
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf(
      "%s, %dx%d, %s strips, %s: %zu patches, %lld strip indices a frame; %d frames in %.2f s "
      "= %.3f FPS; GL assembled %.0f triangles a frame = %.2f M triangles/s\n",
      reinterpret_cast<const char*>(glGetString(GL_RENDERER)), options.width, options.height,
      options.coarse ? "coarse" : "fine", path.empty() ? "overview" : "poses along the path",
      patches.size(), indexTotal, options.frames, seconds, options.frames / seconds,
      static_cast<double>(assembled) / options.frames,
      static_cast<double>(assembled) / seconds * 1e-6);
  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
