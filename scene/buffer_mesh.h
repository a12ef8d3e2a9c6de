// Geometry in GL buffer objects drawn through the fixed-function client
// arrays: one terrain patch (two triangle-strip index buffers) or a triangle
// list.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <span>

#include "scene/frustum.h"
#include "scene/terrain_mesh.h"

namespace scene {

// What a draw needs from the frame.
struct MeshDrawState {
  const Frustum* frustum = nullptr;
  // 2 draws the coarse strip.
  int detailLevel = 1;
};

// The water-plane rule for a box spanning minY ... maxY and the water height
// clipHeight: pass 1 draws what reaches below the water, pass 0 what reaches
// above it, any other pass everything. All comparisons are strict.
bool PassDrawsBox(int pass, float clipHeight, float minY, float maxY);

class BufferMesh {
 public:
  BufferMesh() = default;
  ~BufferMesh();
  BufferMesh(const BufferMesh&) = delete;
  BufferMesh& operator=(const BufferMesh&) = delete;

  // Creates the buffers and uploads the arrays (three floats per position
  // and normal, two per texture coordinate; triangle indices only in list
  // mode). Missing buffer functions: "999" / "er", nothing uploaded.
  void Upload(std::span<const float> positions, std::span<const float> normals,
              std::span<const float> texCoords, std::span<const uint32_t> triangleIndices = {});

  // Creates one strip element buffer for an n x n patch and writes the strip
  // through a mapped pointer. When the buffer cannot be mapped: "Mem-Err-654"
  // / "er", false, and that strip stays absent.
  bool BuildStripBuffer(int n, bool coarse, const uint8_t* flatFlags);

  // Returns 3 x the strip indices drawn, the list index count, or 0 when
  // nothing was drawn (never uploaded, culled, rejected by the pass rule, or
  // the chosen strip is absent).
  int Draw(int pass, const MeshDrawState& state);

  Box3 box;
  bool frustumTest = true;
  float clipHeight = -1000.0f;
  bool stripMode = true;

  int vertexCount() const { return vertexCount_; }
  int fineIndexCount() const { return fineIndexCount_; }
  int coarseIndexCount() const { return coarseIndexCount_; }
  bool uploaded() const { return uploaded_; }

 private:
  bool SixteenBitIndices() const { return 2 * vertexCount_ <= 65536; }

  GLuint buffers_[5] = {};  // positions, unused, texture coordinates, list indices, normals
  GLuint fineStrip_ = 0;
  GLuint coarseStrip_ = 0;
  int fineIndexCount_ = 0;
  int coarseIndexCount_ = 0;
  int listIndexCount_ = 0;
  int vertexCount_ = 0;
  bool uploaded_ = false;
};

}  // namespace scene
