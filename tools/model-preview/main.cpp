// model-preview palm|palm-alt|bush|rock OUTPUT.png
//
// Draws a model with its texture as the scene would show it (leaves cut out
// at alpha 0.5), in two orthographic views side by side: from the front a
// little above, and from the side. The bush is scaled and copied as the
// scene loads it. A check by eye; the program never uses it.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "scene/obj_reader.h"
#include "tools/model-objs/model_objs.h"
#include "tools/model-textures/model_textures.h"

namespace {

struct P3 {
  float x, y, z;
};

// The bush as the scene loads it: scaled by 0.98 and (4, 1, 4), then three
// times copied, turned 47 degrees about y and grown by 1.33.
void LoadLikeTheBush(scene::ObjMesh& mesh) {
  for (size_t i = 0; i < mesh.positions.size(); i += 3) {
    mesh.positions[i] *= 0.98f * 4;
    mesh.positions[i + 1] *= 0.98f;
    mesh.positions[i + 2] *= 0.98f * 4;
  }
  const float a = 47 * 3.14159265f / 180;
  for (int copy = 0; copy < 3; ++copy) {
    const size_t count = mesh.positions.size() / 3;
    for (size_t v = 0; v < count; ++v) {
      const float x = mesh.positions[v * 3], y = mesh.positions[v * 3 + 1],
                  z = mesh.positions[v * 3 + 2];
      mesh.positions.insert(mesh.positions.end(),
                            {(x * std::cos(a) + z * std::sin(a)) * 1.33f, y * 1.33f,
                             (-x * std::sin(a) + z * std::cos(a)) * 1.33f});
      mesh.texCoords.insert(mesh.texCoords.end(),
                            {mesh.texCoords[v * 2], mesh.texCoords[v * 2 + 1]});
    }
    const size_t indices = mesh.indices.size();
    for (size_t k = 0; k < indices; ++k) {
      mesh.indices.push_back(mesh.indices[k] + static_cast<uint32_t>(count));
    }
  }
}

class Canvas {
 public:
  Canvas(int width, int height) : image_(width, height, 3), depth_(width * height, 1e30f) {
    for (int y = 0; y < height; ++y) {
      const float t = static_cast<float>(y) / height;
      for (int x = 0; x < width; ++x) {
        image_.Set(x, y, asset::Mix({0.55f, 0.72f, 0.90f}, {0.86f, 0.90f, 0.92f}, t));
      }
    }
  }

  // Draws the mesh turned by yaw and pitch (degrees) into the square view
  // starting at column x0.
  void View(const scene::ObjMesh& mesh, const asset::Image& texture, float yaw, float pitch, int x0,
            int size) {
    const float cy = std::cos(yaw * 0.0174533f), sy = std::sin(yaw * 0.0174533f);
    const float cp = std::cos(pitch * 0.0174533f), sp = std::sin(pitch * 0.0174533f);
    std::vector<P3> p;
    float minX = 1e30f, maxX = -1e30f, minY = 1e30f, maxY = -1e30f;
    for (size_t i = 0; i < mesh.positions.size(); i += 3) {
      const float x = mesh.positions[i], y = mesh.positions[i + 1], z = mesh.positions[i + 2];
      const float rx = x * cy + z * sy, rz = -x * sy + z * cy;
      const P3 q = {rx, y * cp + rz * sp, rz * cp - y * sp};
      p.push_back(q);
      minX = std::min(minX, q.x), maxX = std::max(maxX, q.x);
      minY = std::min(minY, q.y), maxY = std::max(maxY, q.y);
    }
    const float scale = 0.9f * size / std::max(maxX - minX, maxY - minY);
    for (P3& q : p) {
      q.x = x0 + size * 0.5f + (q.x - (minX + maxX) * 0.5f) * scale;
      q.y = size * 0.5f - (q.y - (minY + maxY) * 0.5f) * scale;
    }
    for (size_t t = 0; t + 2 < mesh.indices.size(); t += 3) {
      Triangle(p, mesh, texture, mesh.indices[t], mesh.indices[t + 1], mesh.indices[t + 2]);
    }
  }

  const asset::Image& image() const { return image_; }

 private:
  void Triangle(const std::vector<P3>& p, const scene::ObjMesh& mesh, const asset::Image& texture,
                uint32_t ia, uint32_t ib, uint32_t ic) {
    const P3 a = p[ia], b = p[ib], c = p[ic];
    const float area = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    if (std::fabs(area) < 1e-6f) return;
    // Two-sided light from the upper left front, on the face's screen normal.
    const float nx = (b.y - a.y) * (c.z - a.z) - (b.z - a.z) * (c.y - a.y);
    const float ny = (b.z - a.z) * (c.x - a.x) - (b.x - a.x) * (c.z - a.z);
    const float nz = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    const float nl = std::sqrt(nx * nx + ny * ny + nz * nz);
    const float light = 0.45f + 0.55f * std::fabs((-0.5f * nx - 0.7f * ny - 0.5f * nz) / nl);
    const int x0 = std::max(0, static_cast<int>(std::min({a.x, b.x, c.x})));
    const int x1 = std::min(image_.width() - 1, static_cast<int>(std::max({a.x, b.x, c.x})) + 1);
    const int y0 = std::max(0, static_cast<int>(std::min({a.y, b.y, c.y})));
    const int y1 = std::min(image_.height() - 1, static_cast<int>(std::max({a.y, b.y, c.y})) + 1);
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) {
        const float px = x + 0.5f, py = y + 0.5f;
        const float wa = ((b.x - px) * (c.y - py) - (b.y - py) * (c.x - px)) / area;
        const float wb = ((c.x - px) * (a.y - py) - (c.y - py) * (a.x - px)) / area;
        const float wc = 1 - wa - wb;
        if (wa < 0 || wb < 0 || wc < 0) continue;
        const float z = wa * a.z + wb * b.z + wc * c.z;
        float& depth = depth_[static_cast<size_t>(y) * image_.width() + x];
        if (z >= depth) continue;
        const float u =
            wa * mesh.texCoords[ia * 2] + wb * mesh.texCoords[ib * 2] + wc * mesh.texCoords[ic * 2];
        const float v = wa * mesh.texCoords[ia * 2 + 1] + wb * mesh.texCoords[ib * 2 + 1] +
                        wc * mesh.texCoords[ic * 2 + 1];
        // The file's first row is t = 1; coordinates repeat.
        const int tx = static_cast<int>(std::floor((u - std::floor(u)) * texture.width()));
        const int ty = static_cast<int>(std::floor((1 - (v - std::floor(v))) * texture.height()));
        const asset::Colour texel =
            texture.Get(std::min(tx, texture.width() - 1), std::min(ty, texture.height() - 1));
        if (texture.channels() == 4 && texel.a <= 0.5f) continue;
        depth = z;
        image_.Set(x, y, {texel.r * light, texel.g * light, texel.b * light});
      }
    }
  }

  asset::Image image_;
  std::vector<float> depth_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: model-preview palm|palm-alt|bush|rock OUTPUT.png\n");
    return 2;
  }
  const std::string kind = argv[1];
  const std::string text = models::ModelText(kind);
  if (text.empty()) {
    std::fprintf(stderr, "model-preview: unknown model %s\n", argv[1]);
    return 2;
  }
  scene::ObjMesh mesh;
  const scene::ObjResult parsed = scene::ParseObjText(text, mesh);
  if (!parsed.ok) {
    std::fprintf(stderr, "model-preview: %s%s\n", parsed.output.c_str(), parsed.messageBox.c_str());
    return 1;
  }
  if (kind == "bush") LoadLikeTheBush(mesh);
  const char* textureKind = kind == "bush" ? "bush" : kind == "rock" ? "object" : "palm";
  const asset::Image texture = models::ModelTexture(textureKind);
  constexpr int kSize = 480;
  Canvas canvas(2 * kSize, kSize);
  canvas.View(mesh, texture, 30, 18, 0, kSize);
  canvas.View(mesh, texture, 90, 0, kSize, kSize);
  return asset::WriteImage(canvas.image(), argv[2]) ? 0 : 1;
}
