// Geometry in GL buffer objects drawn through the fixed-function client
// arrays: one terrain patch (two triangle-strip index buffers) or a triangle
// list.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <span>

#include "scene/frustum.h"
#include "scene/terrain_mesh.h"
#include "scene/water_relation.h"

namespace scene {

// What a draw needs from the frame.
struct MeshDrawState {
  // The box is tested against it when set; null draws without the test (the
  // terrain's culling tree has tested the patch already).
  const Frustum* frustum = nullptr;
  // 2 draws the coarse strip.
  int detailLevel = 1;
  // The water height the strip-mode rule compares the box with
  // (PassDrawsBox).
  float clipHeight = -1000.0f;
};

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
  // The caustic view also feeds the texture coordinates to a third client
  // texture unit.
  int Draw(WaterRelation relation, const MeshDrawState& state) const;

  Box3 box;
  bool stripMode = true;

  int vertexCount() const { return vertexCount_; }
  int fineIndexCount() const { return fineIndexCount_; }
  int coarseIndexCount() const { return coarseIndexCount_; }
  bool uploaded() const { return uploaded_; }

 private:
  bool SixteenBitIndices() const { return 2 * vertexCount_ <= 65536; }

  // The buffer names in the order the mesh record has always kept them; the
  // second is never used.
  enum Buffer { kPositions, kUnused, kTexCoords, kListIndices, kNormals, kBufferCount };
  GLuint buffers_[kBufferCount] = {};
  GLuint fineStrip_ = 0;
  GLuint coarseStrip_ = 0;
  int fineIndexCount_ = 0;
  int coarseIndexCount_ = 0;
  int listIndexCount_ = 0;
  int vertexCount_ = 0;
  bool uploaded_ = false;
};

// Texture coordinates from the bound array buffer for client units 0 ...
// units - 1 (only unit 0 without multitexturing); unit 0 is active after.
void EnableClientTexCoords(int units);

}  // namespace scene
