#include "scene/buffer_mesh.h"

#include <string>

#include "platform/message_box.h"
#include "platform/text_codec.h"
#include "render/gl_entry_points.h"

namespace scene {
namespace {

void ReportZeroName(std::string_view what) {
  platform::ShowMessageBox(platform::Ascii(what) + u" " + platform::FormatInt(0) + u" ", u"er");
}

template <typename Index>
int WriteStrip(void* mapped, int n, bool coarse, const uint8_t* flatFlags) {
  auto* out = static_cast<Index*>(mapped);
  return coarse ? WriteCoarseStrip(n, out) : WriteFineStrip(flatFlags, n, out);
}

}  // namespace

BufferMesh::~BufferMesh() {
  render::GlEntryPoints& gl = render::Gl();
  if (gl.glDeleteBuffers == nullptr) return;
  if (buffers_[kPositions] != 0) gl.glDeleteBuffers(kBufferCount, buffers_);
  if (fineStrip_ != 0) gl.glDeleteBuffers(1, &fineStrip_);
  if (coarseStrip_ != 0) gl.glDeleteBuffers(1, &coarseStrip_);
}

void BufferMesh::Upload(std::span<const float> positions, std::span<const float> normals,
                        std::span<const float> texCoords,
                        std::span<const uint32_t> triangleIndices) {
  render::GlEntryPoints& gl = render::Gl();
  if (gl.glGenBuffers == nullptr || gl.glBindBuffer == nullptr || gl.glBufferData == nullptr ||
      gl.glDeleteBuffers == nullptr) {
    platform::ShowMessageBox(u"999", u"er");
    return;
  }
  gl.glDeleteBuffers(kBufferCount, buffers_);
  gl.glGenBuffers(kBufferCount, buffers_);
  auto upload = [&](GLenum target, Buffer slot, const char* what, const void* data, size_t bytes) {
    gl.glBindBuffer(target, buffers_[slot]);
    if (buffers_[slot] == 0) {
      ReportZeroName(what);
      return;
    }
    gl.glBufferData(target, static_cast<GLsizeiptr>(bytes), data, GL_STATIC_DRAW);
  };
  // The messages name the buffers by their index in the record.
  upload(GL_ARRAY_BUFFER, kPositions, "men?;bufObjects[0]", positions.data(),
         positions.size_bytes());
  upload(GL_ARRAY_BUFFER, kNormals, "men?;bufObjects[4]", normals.data(), normals.size_bytes());
  upload(GL_ARRAY_BUFFER, kTexCoords, "men?;bufObjects[2]", texCoords.data(),
         texCoords.size_bytes());
  if (!stripMode) {
    upload(GL_ELEMENT_ARRAY_BUFFER, kListIndices, "men?;bufObjects[3]", triangleIndices.data(),
           triangleIndices.size_bytes());
  }
  gl.glBindBuffer(GL_ARRAY_BUFFER, 0);
  gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  listIndexCount_ = static_cast<int>(triangleIndices.size());
  vertexCount_ = static_cast<int>(positions.size() / 3);
  uploaded_ = true;
}

bool BufferMesh::BuildStripBuffer(int n, bool coarse, const uint8_t* flatFlags) {
  render::GlEntryPoints& gl = render::Gl();
  if (gl.glGenBuffers == nullptr || gl.glBindBuffer == nullptr || gl.glBufferData == nullptr) {
    return false;
  }
  GLuint& name = coarse ? coarseStrip_ : fineStrip_;
  int& count = coarse ? coarseIndexCount_ : fineIndexCount_;
  if (name != 0) gl.glDeleteBuffers(1, &name);
  name = 0;
  count = 0;
  const int capacity = coarse ? CoarseStripCapacity(n) : FineStripCapacity(n);
  const bool sixteen = 2 * n * n <= 65536;
  const size_t width = sixteen ? 2 : 4;
  GLuint buffer = 0;
  gl.glGenBuffers(1, &buffer);
  gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffer);
  gl.glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>((capacity + 3) * width), nullptr,
                  GL_STATIC_DRAW);
  void* mapped = buffer != 0 ? render::MapBuffer(GL_ELEMENT_ARRAY_BUFFER, GL_WRITE_ONLY) : nullptr;
  if (mapped == nullptr) {
    // The patch goes without this strip; its draw skips it.
    gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    if (buffer != 0) gl.glDeleteBuffers(1, &buffer);
    platform::ShowMessageBox(u"Mem-Err-654", u"er");
    return false;
  }
  const int written = sixteen ? WriteStrip<uint16_t>(mapped, n, coarse, flatFlags)
                              : WriteStrip<uint32_t>(mapped, n, coarse, flatFlags);
  const bool intact = render::UnmapBuffer(GL_ELEMENT_ARRAY_BUFFER) == GL_TRUE;
  gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  if (!intact) {
    // The driver lost the buffer's contents while it was mapped.
    gl.glDeleteBuffers(1, &buffer);
    platform::ShowMessageBox(u"Mem-Err-654", u"er");
    return false;
  }
  name = buffer;
  count = written;
  return true;
}

int BufferMesh::Draw(WaterRelation relation, const MeshDrawState& state) const {
  if (!uploaded_) return 0;
  if (state.frustum != nullptr &&
      !BoxInFrustum(*state.frustum, box.minimum.x, box.minimum.y, box.minimum.z, box.maximum.x,
                    box.maximum.y, box.maximum.z)) {
    return 0;
  }
  if (stripMode && !PassDrawsBox(relation, state.clipHeight, box.minimum.y, box.maximum.y)) {
    return 0;
  }
  if (buffers_[kPositions] == 0) return 0;
  const bool coarse = stripMode && state.detailLevel == 2;
  const GLuint strip = coarse ? coarseStrip_ : fineStrip_;
  const int count = coarse ? coarseIndexCount_ : fineIndexCount_;
  if (stripMode ? (strip == 0 || count == 0)
                : (buffers_[kListIndices] == 0 || listIndexCount_ == 0)) {
    return 0;
  }

  render::GlEntryPoints& gl = render::Gl();
  glEnableClientState(GL_VERTEX_ARRAY);
  gl.glBindBuffer(GL_ARRAY_BUFFER, buffers_[kPositions]);
  glVertexPointer(3, GL_FLOAT, 0, nullptr);
  glEnableClientState(GL_NORMAL_ARRAY);
  gl.glBindBuffer(GL_ARRAY_BUFFER, buffers_[kNormals]);
  glNormalPointer(GL_FLOAT, 0, nullptr);
  gl.glBindBuffer(GL_ARRAY_BUFFER, buffers_[kTexCoords]);
  EnableClientTexCoords(relation == WaterRelation::CausticView ? 3 : 2);

  int drawn;
  if (stripMode) {
    gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, strip);
    glDrawElements(GL_TRIANGLE_STRIP, count,
                   SixteenBitIndices() ? GL_UNSIGNED_SHORT : GL_UNSIGNED_INT, nullptr);
    drawn = 3 * count;
  } else {
    gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers_[kListIndices]);
    glDrawElements(GL_TRIANGLES, listIndexCount_, GL_UNSIGNED_INT, nullptr);
    drawn = listIndexCount_;
  }
  gl.glBindBuffer(GL_ARRAY_BUFFER, 0);
  gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_NORMAL_ARRAY);
  return drawn;
}

void EnableClientTexCoords(int units) {
  render::GlEntryPoints& gl = render::Gl();
  for (int unit = 0; unit < units; ++unit) {
    if (gl.glClientActiveTextureARB != nullptr)
      gl.glClientActiveTextureARB(GL_TEXTURE0 + unit);
    else if (unit > 0)
      break;
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
  }
  if (gl.glClientActiveTextureARB != nullptr) gl.glClientActiveTextureARB(GL_TEXTURE0);
}

}  // namespace scene
