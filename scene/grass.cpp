#include "scene/grass.h"

#include "platform/message_box.h"
#include "render/gl_entry_points.h"
#include "scene/buffer_mesh.h"
#include "scene/object_detail.h"

namespace scene {

bool UploadGrassSet(GrassSet& set, const GrassBillboard& billboard,
                    const std::vector<CVector3>& blades, const TerrainRect& bounds) {
  render::GlEntryPoints& gl = render::Gl();
  if (gl.glGenBuffers == nullptr || gl.glBindBuffer == nullptr || gl.glBufferData == nullptr) {
    platform::ShowMessageBox(u"999", u"ero-obb");
    return false;
  }
  ReleaseGrassGl(set);
  GrassCells baked = BuildCellBuckets(billboard, blades, bounds);
  // One index buffer for all cells: each cell's indices count from its own
  // first vertex, so they are moved to the shared vertex arrays.
  set.cells.clear();
  set.cells.reserve(baked.cells.size());
  for (size_t c = 0; c < baked.cells.size(); ++c) {
    const GrassCell& cell = baked.cells[c];
    const auto base = static_cast<uint32_t>(baked.firstVertex[c]);
    for (int k = 0; k < cell.indexCount; ++k)
      baked.geometry.indices[baked.firstIndex[c] + k] += base;
    Box3 box;
    box.minimum = cell.boxMin;
    box.maximum = cell.boxMax;
    box.centre = cell.centre;
    set.cells.push_back({box, static_cast<int>(baked.firstIndex[c]), cell.indexCount});
  }
  const GrassCellGeometry& g = baked.geometry;
  gl.glGenBuffers(4, set.buffers);
  const auto upload = [&gl](GLenum target, GLuint name, size_t bytes, const void* data) {
    gl.glBindBuffer(target, name);
    gl.glBufferData(target, static_cast<GLsizeiptr>(bytes), data, GL_STATIC_DRAW);
    gl.glBindBuffer(target, 0);
  };
  upload(GL_ARRAY_BUFFER, set.buffers[0], g.positions.size() * 12, g.positions.data());
  upload(GL_ARRAY_BUFFER, set.buffers[1], g.normals.size() * 12, g.normals.data());
  upload(GL_ARRAY_BUFFER, set.buffers[2], g.texCoords.size() * 4, g.texCoords.data());
  upload(GL_ELEMENT_ARRAY_BUFFER, set.buffers[3], g.indices.size() * 4, g.indices.data());
  set.blades = static_cast<int>(blades.size());
  set.uploaded = true;
  return true;
}

int DrawGrassSet(GrassSet& set, const Frustum& frustum, float fraction) {
  set.drawnIndices = 0;
  if (!set.uploaded) return 0;
  render::GlEntryPoints& gl = render::Gl();
  glEnableClientState(GL_VERTEX_ARRAY);
  gl.glBindBuffer(GL_ARRAY_BUFFER, set.buffers[0]);
  glVertexPointer(3, GL_FLOAT, 0, nullptr);
  glEnableClientState(GL_NORMAL_ARRAY);
  gl.glBindBuffer(GL_ARRAY_BUFFER, set.buffers[1]);
  glNormalPointer(GL_FLOAT, 0, nullptr);
  gl.glBindBuffer(GL_ARRAY_BUFFER, set.buffers[2]);
  EnableClientTexCoords(2);
  gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, set.buffers[3]);
  for (const GrassSet::Cell& cell : set.cells) {
    const Box3& b = cell.box;
    if (!BoxInFrustum(frustum, b.minimum.x, b.minimum.y, b.minimum.z, b.maximum.x, b.maximum.y,
                      b.maximum.z)) {
      continue;
    }
    const int n = DrawnStripIndices(cell.indexCount, fraction);
    glDrawElements(GL_TRIANGLE_STRIP, n, GL_UNSIGNED_INT,
                   reinterpret_cast<const void*>(static_cast<uintptr_t>(cell.firstIndex) * 4));
    set.drawnIndices += n;
  }
  gl.glBindBuffer(GL_ARRAY_BUFFER, 0);
  gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_NORMAL_ARRAY);
  return set.drawnIndices;
}

void ReleaseGrassGl(GrassSet& set) {
  render::GlEntryPoints& gl = render::Gl();
  if (set.buffers[0] != 0 && gl.glDeleteBuffers != nullptr) gl.glDeleteBuffers(4, set.buffers);
  for (GLuint& name : set.buffers) name = 0;
  set.cells.clear();
  set.uploaded = false;
}

}  // namespace scene
