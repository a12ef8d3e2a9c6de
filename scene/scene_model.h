// A model repeated over the scene: its geometry in buffer objects, the
// positions of its instances in a culling tree, and the draw of every visible
// instance with its own turn and per-instance uniforms.
#pragma once

#include <GL/gl.h>

#include <string>
#include <string_view>
#include <vector>

#include "render/shader_program.h"
#include "scene/frustum.h"
#include "scene/model_geometry.h"
#include "scene/patch_quadtree.h"

namespace scene {

struct SceneModel {
  ModelGeometry geometry;
  // Shown in buffer messages; object ids count from it.
  int number = 0;
  int objectIdBase = 0;

  std::vector<CVector3> instances;
  PatchQuadtree instanceTree;
  // s > 1 draws only the instances whose index is a multiple of s.
  int stride = 1;
  int drawnInstances = 0;
  // Bound on unit 0; not owned (the texture table or the scene owns it).
  GLuint texture = 0;
  // The program in use while the instances draw, which takes object_id and
  // object_pos; null sets no per-instance uniform.
  render::ShaderProgram* program = nullptr;

  // [0] positions, [1] normals, [2] texture coordinates, [3] indices,
  // [4] instance records (x, y, z, index per instance).
  GLuint buffers[5] = {};
  GLuint instanceTexture = 0;
  bool uploaded = false;
  int vertexCount = 0;
  int listIndexCount = 0;
  int stripIndexCount = 0;

  // Uniform locations of `program`, looked up once per program handle.
  GLuint locationsProgram = 0;
  GLint objectIdLocation = -1;
  GLint objectPosLocation = -1;
};

// Parses an OBJ text held in memory (label "MEM" in messages) or a file,
// shapes it and, when asked, uploads it. A refused model shows its message
// (caption "ero-obb"), stays empty and draws nothing.
bool LoadModelFromText(SceneModel& model, std::string_view text, const ModelShaping& shaping,
                       bool upload);
bool LoadModelFromFile(SceneModel& model, const std::string& path, const ModelShaping& shaping,
                       bool upload);

// Puts the CPU arrays (and the instance records, if any) into buffer
// objects. Missing buffer functions: "999" / "ero-obb", false.
bool UploadModelBuffers(SceneModel& model);

// Sets the client arrays for a draw and binds the index buffer.
void BindModelArrays(const SceneModel& model);

// One record per instance: the model's box moved to the instance, in a
// quadtree with one instance per leaf.
void BuildInstanceTree(SceneModel& model);

// Texture state shared by the models and the grass: the texture on unit 0,
// `second` on unit 1, blending, alpha test greater than 0.5, no culling.
// `filled` is the render mode (filled polygons, or lines when off). The end
// turns alpha test, blending and both units' texturing off again.
void BeginModelTextures(GLuint texture, GLuint second, bool filled);
void EndModelTextures(bool filled);

// Draws the visible instances through the tree (each turned by index x
// 137.6 degrees about y); returns how many were drawn.
int DrawModelInstances(SceneModel& model, const Frustum& frustum, GLuint second, bool filled);

// trunc(list index count x drawn instances x 0.33333).
int ModelTriangles(const SceneModel& model);

// Deletes the model's buffers; the context must be current.
void ReleaseModelGl(SceneModel& model);

}  // namespace scene
