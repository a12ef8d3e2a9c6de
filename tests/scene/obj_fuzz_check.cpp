#include "tests/scene/obj_fuzz_check.h"

#include <string_view>

#include "scene/obj_reader.h"

namespace scene_test {

const char* CheckObjBytes(std::span<const uint8_t> bytes) {
  if (bytes.empty()) return nullptr;
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()) + 1, bytes.size() - 1);
  scene::ObjMesh mesh;
  const scene::ObjResult result =
      bytes[0] % 2 == 0 ? scene::ParseObjText(text, mesh)
                        : scene::ParseObjFileBytes(
                              "fuzz.obj", {platform::ReadStatus::Ok, std::string(text)}, mesh);
  if (!result.ok) {
    if (!mesh.positions.empty() || !mesh.texCoords.empty() || !mesh.normals.empty() ||
        !mesh.indices.empty()) {
      return "a failed parse changed the mesh";
    }
    return nullptr;
  }
  if (!result.messageBox.empty()) return "a successful parse asks for a message box";
  if (mesh.positions.size() % 3 != 0 || mesh.normals.size() % 3 != 0 ||
      mesh.texCoords.size() % 2 != 0 || mesh.indices.size() % 3 != 0) {
    return "an array holds a partial element";
  }
  for (uint32_t index : mesh.indices) {
    if (index >= mesh.positions.size() / 3) return "an index lies outside the positions";
  }
  return nullptr;
}

}  // namespace scene_test
