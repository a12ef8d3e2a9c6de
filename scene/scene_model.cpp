#include "scene/scene_model.h"

#include <cstdio>

#include "platform/message_box.h"
#include "platform/text_codec.h"
#include "render/gl_entry_points.h"
#include "scene/buffer_mesh.h"
#include "scene/obj_file.h"

namespace scene {
namespace {

constexpr float kInstanceTurnDegrees = 137.6f;
constexpr GLenum kInstanceTextureUnit = GL_TEXTURE0 + 7;

void ShowModelMessage(const std::string& text) {
  platform::ShowMessageBox(platform::Utf8ToUtf16(text), u"ero-obb");
}

void ReportObj(const ObjResult& result) {
  if (!result.output.empty()) std::fputs(result.output.c_str(), stdout);
  if (!result.messageBox.empty()) ShowModelMessage(result.messageBox);
}

bool FinishLoad(SceneModel& model, const ObjMesh& mesh, const ModelShaping& shaping,
                const std::string& label, bool upload) {
  std::string message;
  if (!ShapeModel(mesh, shaping, label, model.geometry, message)) {
    ShowModelMessage(message);
    return false;
  }
  if (!message.empty()) ShowModelMessage(message);
  model.vertexCount = static_cast<int>(model.geometry.positions.size());
  model.listIndexCount = static_cast<int>(model.geometry.indices.size());
  model.stripIndexCount = static_cast<int>(model.geometry.strip.size());
  return !upload || UploadModelBuffers(model);
}

void BufferArray(GLenum target, GLuint name, size_t bytes, const void* data, GLenum usage, int slot,
                 int number) {
  render::GlEntryPoints& gl = render::Gl();
  gl.glBindBuffer(target, name);
  if (name == 0) {
    char text[64];
    std::snprintf(text, sizeof text, "%s %d ",
                  slot == 0   ? "mem?;bufObjects[0]"
                  : slot == 1 ? "mem?;bufObjects[1]"
                  : slot == 2 ? "mem?;bufObjects[2]"
                              : "mem?;bufObjects[3]",
                  number);
    platform::ShowMessageBox(platform::Utf8ToUtf16(text), u"");
    return;
  }
  gl.glBufferData(target, static_cast<GLsizeiptr>(bytes), data, usage);
}

void SelectUnit(int unit) {
  render::GlEntryPoints& gl = render::Gl();
  if (gl.glActiveTextureARB != nullptr) gl.glActiveTextureARB(GL_TEXTURE0 + unit);
}

void CacheLocations(SceneModel& model) {
  const GLuint handle = model.program != nullptr ? model.program->m_hProgramObject : 0;
  if (handle == model.locationsProgram) return;
  model.locationsProgram = handle;
  model.objectIdLocation = handle != 0 ? model.program->UniformLocation("object_id") : -1;
  model.objectPosLocation = handle != 0 ? model.program->UniformLocation("object_pos") : -1;
}

int DrawInstance(SceneModel& model, int index) {
  if (model.stride > 1 && index % model.stride != 0) return 0;
  const CVector3& p = model.instances[static_cast<size_t>(index)];
  glPushMatrix();
  glTranslatef(p.x, p.y, p.z);
  glRotatef(static_cast<float>(index) * kInstanceTurnDegrees, 0.0f, 1.0f, 0.0f);
  ++model.drawnInstances;
  render::GlEntryPoints& gl = render::Gl();
  if (model.locationsProgram != 0) {
    if (model.objectIdLocation >= 0 && gl.glUniform1f != nullptr)
      gl.glUniform1f(model.objectIdLocation, static_cast<float>(model.objectIdBase + index));
    if (model.objectPosLocation >= 0 && gl.glUniform3fvARB != nullptr)
      gl.glUniform3fvARB(model.objectPosLocation, 1, &p.x);
  }
  if (model.stripIndexCount > 0)
    glDrawElements(GL_TRIANGLE_STRIP, model.stripIndexCount, GL_UNSIGNED_INT, nullptr);
  else
    glDrawElements(GL_TRIANGLES, model.listIndexCount, GL_UNSIGNED_INT, nullptr);
  glPopMatrix();
  return 0;
}

}  // namespace

bool LoadModelFromText(SceneModel& model, std::string_view text, const ModelShaping& shaping,
                       bool upload) {
  ObjMesh mesh;
  const ObjResult result = ParseObjText(text, mesh);
  ReportObj(result);
  return result.ok && FinishLoad(model, mesh, shaping, "MEM", upload);
}

bool LoadModelFromFile(SceneModel& model, const std::string& path, const ModelShaping& shaping,
                       bool upload) {
  ObjMesh mesh;
  const ObjResult result = ParseObjFile(path, mesh);
  ReportObj(result);
  return result.ok && FinishLoad(model, mesh, shaping, path, upload);
}

bool UploadModelBuffers(SceneModel& model) {
  render::GlEntryPoints& gl = render::Gl();
  if (gl.glGenBuffers == nullptr || gl.glBindBuffer == nullptr || gl.glBufferData == nullptr) {
    ShowModelMessage("999");
    return false;
  }
  ReleaseModelGl(model);
  gl.glGenBuffers(5, model.buffers);
  const ModelGeometry& g = model.geometry;
  const size_t vertices = g.positions.size();
  BufferArray(GL_ARRAY_BUFFER, model.buffers[0], vertices * 12, g.positions.data(), GL_STATIC_DRAW,
              0, model.number);
  if (!g.noNormals) {
    BufferArray(GL_ARRAY_BUFFER, model.buffers[1], vertices * 12, g.normals.data(), GL_STATIC_DRAW,
                1, model.number);
  }
  BufferArray(GL_ARRAY_BUFFER, model.buffers[2], vertices * 8, g.texCoords.data(), GL_STATIC_DRAW,
              2, model.number);
  const std::vector<uint32_t>& indices = g.strip.empty() ? g.indices : g.strip;
  model.stripIndexCount = static_cast<int>(g.strip.size());
  model.listIndexCount = static_cast<int>(g.indices.size());
  model.vertexCount = static_cast<int>(vertices);
  if (!indices.empty()) {
    BufferArray(GL_ARRAY_BUFFER, model.buffers[3], indices.size() * 4, indices.data(),
                GL_STATIC_DRAW, 3, model.number);
  }
  if (!model.instances.empty() && gl.glTexBuffer != nullptr) {
    std::vector<float> records;
    records.reserve(model.instances.size() * 4);
    for (size_t i = 0; i < model.instances.size(); ++i) {
      const CVector3& p = model.instances[i];
      records.insert(records.end(), {p.x, p.y, p.z, static_cast<float>(i)});
    }
    gl.glBindBuffer(GL_TEXTURE_BUFFER, model.buffers[4]);
    gl.glBufferData(GL_TEXTURE_BUFFER, static_cast<GLsizeiptr>(records.size() * 4), records.data(),
                    GL_DYNAMIC_DRAW);
    glGenTextures(1, &model.instanceTexture);
    glBindTexture(GL_TEXTURE_BUFFER, model.instanceTexture);
    gl.glTexBuffer(GL_TEXTURE_BUFFER, GL_RGBA32F, model.buffers[4]);
    glBindTexture(GL_TEXTURE_BUFFER, 0);
    gl.glBindBuffer(GL_TEXTURE_BUFFER, 0);
  }
  gl.glBindBuffer(GL_ARRAY_BUFFER, 0);
  model.uploaded = true;
  return true;
}

void BindModelArrays(const SceneModel& model) {
  render::GlEntryPoints& gl = render::Gl();
  glEnableClientState(GL_VERTEX_ARRAY);
  gl.glBindBuffer(GL_ARRAY_BUFFER, model.buffers[0]);
  glVertexPointer(3, GL_FLOAT, 0, nullptr);
  if (!model.geometry.noNormals) {
    glEnableClientState(GL_NORMAL_ARRAY);
    gl.glBindBuffer(GL_ARRAY_BUFFER, model.buffers[1]);
    glNormalPointer(GL_FLOAT, 0, nullptr);
  }
  gl.glBindBuffer(GL_ARRAY_BUFFER, model.buffers[2]);
  EnableClientTexCoords(2);
  if (model.instanceTexture != 0 && gl.glActiveTextureARB != nullptr) {
    gl.glActiveTextureARB(kInstanceTextureUnit);
    glBindTexture(GL_TEXTURE_BUFFER, model.instanceTexture);
    gl.glActiveTextureARB(GL_TEXTURE0);
  }
  gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, model.buffers[3]);
}

void BuildInstanceTree(SceneModel& model) {
  model.instanceTree.Clear();
  const Box3& box = model.geometry.box;
  for (size_t i = 0; i < model.instances.size(); ++i) {
    const CVector3& p = model.instances[i];
    Box3 moved;
    moved.minimum = {box.minimum.x + p.x, box.minimum.y + p.y, box.minimum.z + p.z};
    moved.maximum = {box.maximum.x + p.x, box.maximum.y + p.y, box.maximum.z + p.z};
    moved.centre = {box.centre.x + p.x, box.centre.y + p.y, box.centre.z + p.z};
    model.instanceTree.Add(static_cast<int>(i), moved);
  }
  model.instanceTree.Build();
}

void BeginModelTextures(GLuint texture, GLuint second, bool filled) {
  SelectUnit(0);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
  SelectUnit(1);
  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
  glTexEnvi(GL_TEXTURE_ENV, GL_RGB_SCALE, 2);
  glBindTexture(GL_TEXTURE_2D, second);
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glScalef(12.8f, 12.8f, 1.0f);
  glMatrixMode(GL_MODELVIEW);
  SelectUnit(0);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glPolygonMode(GL_BACK, filled ? GL_FILL : GL_LINE);
  glDisable(GL_CULL_FACE);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.5f);
}

void EndModelTextures(bool filled) {
  glDisable(GL_ALPHA_TEST);
  // The other scene draws expect blending off, as they leave it.
  glDisable(GL_BLEND);
  glPolygonMode(GL_FRONT, filled ? GL_FILL : GL_LINE);
  SelectUnit(1);
  glMatrixMode(GL_TEXTURE);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexEnvi(GL_TEXTURE_ENV, GL_RGB_SCALE, 1);
  glDisable(GL_TEXTURE_2D);
  SelectUnit(0);
  glDisable(GL_TEXTURE_2D);
}

int DrawModelInstances(SceneModel& model, const Frustum& frustum, GLuint second, bool filled) {
  model.drawnInstances = 0;
  if (!model.uploaded || model.instances.empty()) return 0;
  BeginModelTextures(model.texture, second, filled);
  BindModelArrays(model);
  CacheLocations(model);
  model.instanceTree.Walk(frustum, [&model](int index) { return DrawInstance(model, index); });
  render::GlEntryPoints& gl = render::Gl();
  gl.glBindBuffer(GL_ARRAY_BUFFER, 0);
  gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_COLOR_ARRAY);
  EndModelTextures(filled);
  return model.drawnInstances;
}

int ModelTriangles(const SceneModel& model) {
  return static_cast<int>(static_cast<double>(model.listIndexCount) * model.drawnInstances *
                          0.33333);
}

void ReleaseModelGl(SceneModel& model) {
  render::GlEntryPoints& gl = render::Gl();
  if (model.buffers[0] != 0 && gl.glDeleteBuffers != nullptr) gl.glDeleteBuffers(5, model.buffers);
  for (GLuint& name : model.buffers) name = 0;
  if (model.instanceTexture != 0) glDeleteTextures(1, &model.instanceTexture);
  model.instanceTexture = 0;
  model.uploaded = false;
}

}  // namespace scene
