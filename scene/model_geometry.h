// A scene model's geometry on the CPU: the arrays read from an OBJ text,
// scaled, doubled by rotated copies, given flat normals and a bounding box.
// Pure computation; scene/scene_model.h uploads and draws it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scene/obj_reader.h"
#include "scene/terrain_mesh.h"
#include "scene/vector3.h"

namespace scene {

struct ModelGeometry {
  std::vector<CVector3> positions;
  std::vector<CVector3> normals;
  std::vector<float> texCoords;   // two per vertex
  std::vector<uint32_t> indices;  // triangle list
  std::vector<uint32_t> strip;    // one triangle strip (generated models)
  Box3 box;
  bool noNormals = false;
};

// How a loaded model is shaped before it is used.
struct ModelShaping {
  // Applied (together with scaleVector) only when it is not exactly 1.
  float uniformScale = 1.0f;
  CVector3 scaleVector{1.0f, 1.0f, 1.0f};
  // Each copy appends every vertex turned by 47 degrees about y and scaled
  // by 1.33, and every triangle again over the new vertices.
  int extraCopies = 0;
  float normalScale = 1.0f;
};

// Caption of every message a model load shows.
inline constexpr const char* kModelMessageCaption = "ero-obb";

// Takes a parsed mesh as the model's geometry and shapes it. A mesh whose
// numbers of positions, texture coordinates and normals differ is refused:
// false with UnsuitableModelMessage(label) in `message` and `out` untouched.
// A copy that meets an index beyond the vertices sets `message` to
// "Bad indice" and leaves that index out.
bool ShapeModel(const ObjMesh& mesh, const ModelShaping& shaping, const std::string& label,
                ModelGeometry& out, std::string& message);

// Appends one copy of the geometry (rotated 47 degrees about y, times 1.33)
// and recomputes the normals; false when an index was out of range.
bool AppendRotatedCopy(ModelGeometry& geometry, float normalScale);

// Flat normals over the strip when there is one, else the triangle list.
void ApplyModelNormals(ModelGeometry& geometry, float normalScale);

// Box over the positions, centre halfway; all zero without positions.
Box3 BoundingBox(const std::vector<CVector3>& positions);

}  // namespace scene
