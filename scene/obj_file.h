// Reads an OBJ model file from disk (obj_reader.h has the grammar). Kept out
// of the pure scene library: it reads the disk through the platform layer.
#pragma once

#include <string>

#include "platform/file_io.h"
#include "scene/obj_reader.h"

namespace scene {

// An empty path fails without a word; a missing file fails with its message
// and costs nothing else.
inline ObjResult ParseObjFile(const std::string& path, ObjMesh& mesh) {
  if (path.empty()) return {};
  return ParseObjFileBytes(path, platform::ReadFile(path, kObjFileMaxBytes), mesh);
}

}  // namespace scene
