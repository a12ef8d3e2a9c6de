// The sky box's six faces, painted from view directions so that the faces
// meet without a seam. The sky box is a cube around the viewer, y up; each
// face is drawn with the texture coordinates below, and every texel is
// painted with the colour of the direction it shows.
#pragma once

#include <array>

#include "tools/asset-common/asset_image.h"

namespace sky {

struct Vec3 {
  float x = 0, y = 0, z = 0;
};

Vec3 Normalised(const Vec3& v);

// One face on the cube [-1, 1]^3: the corner drawn with texture coordinates
// (0, 0), and the steps to the corners drawn with (1, 0) and (0, 1).
struct Face {
  const char* name;
  int slot;
  Vec3 origin;
  Vec3 sAxis;
  Vec3 tAxis;
};

inline constexpr int kFaceCount = 6;

// The faces in texture-slot order 11..16: the planes z = -1, z = +1,
// y = -1 (below), y = +1 (above), x = -1, x = +1.
const std::array<Face, kFaceCount>& Faces();

// The point of `face` at texture coordinates (s, t); a direction from the
// cube's centre.
Vec3 FacePoint(const Face& face, float s, float t);

// Where the direction `d` (non-zero) meets the cube: the face's index in
// Faces() and its texture coordinates.
struct FaceHit {
  int face;
  float s;
  float t;
};
FaceHit FaceOf(const Vec3& d);

// Texture coordinates of the centre of texel (column, row) in a size x size
// image, row 0 being the file's first (top) row. An image decoded without
// flipping lands in its texture with the file's last row at t = 0, so the
// first row is t = 1.
struct TexCoord {
  float s;
  float t;
};
TexCoord TexelCentre(int size, int column, int row);

// Towards the sun (unit length): the same heading as the water's light
// source, (+x, -z), ten degrees above the horizon.
Vec3 SunDirection();

// The sky's colour in the direction `d` (unit length).
asset::Colour SkyColour(const Vec3& d);

// One face as a size x size RGB image.
asset::Image PaintFace(int face, int size);

// The six faces unfolded as a cross (4 x 3 faces of `size`), for checking
// the seams by eye: the four side faces in a row around the horizon with
// the top face above and the bottom face below the second one.
asset::Image PaintCross(int size);

}  // namespace sky
