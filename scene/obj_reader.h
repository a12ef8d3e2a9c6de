// The Wavefront OBJ subset the scene's models are written in.
//
// Lines are split, normalised (runs of spaces and tabs become one space) and
// read by kind:
//   v X Y Z            a position (a fourth value is ignored)
//   vt U V             a texture coordinate, stored as read ("vt" must be
//                      followed by a space; a third value is ignored)
//   vn X Y Z           a normal
//   f A B C            one triangle from the first three corners, in one of
//   f A// B// C//      four forms; only the position index of each corner
//   f A//N B//N C//N   is kept (texture and normal indices are read and
//   f A/T/N B/T/N C/T/N  dropped)
// Every other line is ignored. An "f" line in none of the four forms ends the
// parse with failure. Numbers are read the same way whatever the process
// locale.
//
// Attributes are not de-indexed: a model must carry as many texture
// coordinates and normals as positions, in the same order (the model loader
// checks the counts). Every face index must name an existing position (1 ..
// number of positions); a model with an index of 0, a negative (relative)
// index or one beyond the positions is refused as unsuitable.
//
// This code shows nothing itself: a result carries the text for standard
// output and the text of the message box for the caller to show.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_io.h"

namespace scene {

struct ObjMesh {
  std::vector<float> positions;   // x, y, z per "v" line
  std::vector<float> texCoords;   // u, v per "vt" line
  std::vector<float> normals;     // x, y, z per "vn" line
  std::vector<uint32_t> indices;  // zero-based position indices, three per face
};

// Caption of the message box a refused model shows.
inline constexpr const char* kObjMessageCaption = "ero-obb";

struct ObjResult {
  bool ok = false;
  std::string output;      // for standard output, empty when there is nothing to say
  std::string messageBox;  // for a message box captioned kObjMessageCaption, or empty
};

// "Ungeeignetes Model: Path: <label>": the message of a model that cannot be
// used; `label` is the file's path, or "MEM" for a text held in memory.
std::string UnsuitableModelMessage(std::string_view label);

// Parses a text held in memory. Lines end at "\n" (a "\r" before it stays in
// the line and is read as white space); a line longer than 1001 characters
// continues as the next line. A last line that no "\n" ends is not read. On
// success the four arrays of `mesh` are appended to; on failure `mesh` is left
// as it was.
ObjResult ParseObjText(std::string_view text, ObjMesh& mesh);

// Files are read whole, at most this many bytes.
inline constexpr std::size_t kObjFileMaxBytes = 16 * 1024 * 1024;

// Parses the result of reading the file `path` (platform::ReadFile). Lines
// keep their line break; a line longer than 999 characters continues as the
// next line; the last line is read also without a line break. A file that
// could not be read gives "File <path> not found!" (or "... is too large!")
// on standard output and failure.
ObjResult ParseObjFileBytes(std::string_view path, const platform::FileBytes& file, ObjMesh& mesh);

}  // namespace scene
