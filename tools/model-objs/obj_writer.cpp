#include "tools/model-objs/obj_writer.h"

#include <charconv>
#include <cmath>

namespace models {

Vec3 operator+(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(const Vec3& a, float s) { return {a.x * s, a.y * s, a.z * s}; }
float Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec3 Normalised(const Vec3& v) {
  const float length = std::sqrt(Dot(v, v));
  return length > 0 ? v * (1.0f / length) : v;
}

int ObjWriter::Add(const Vertex& vertex) {
  vertices_.push_back(vertex);
  return static_cast<int>(vertices_.size()) - 1;
}

void ObjWriter::Triangle(int a, int b, int c) { triangles_.insert(triangles_.end(), {a, b, c}); }

namespace {

// A number with `decimals` digits after the point; "-0.000" becomes "0.000".
void AppendNumber(std::string& out, float value, int decimals) {
  char buffer[64];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  std::string_view text(buffer, static_cast<size_t>(end - buffer));
  if (text.find_first_not_of("-0.") == std::string_view::npos) text.remove_prefix(text[0] == '-');
  out.push_back(' ');
  out.append(text);
}

}  // namespace

std::string ObjWriter::Text(const std::vector<std::string>& comment) const {
  std::string out;
  for (const std::string& line : comment) out += "# " + line + "\n";
  for (const Vertex& v : vertices_) {
    out += "v";
    AppendNumber(out, v.position.x, 3);
    AppendNumber(out, v.position.y, 3);
    AppendNumber(out, v.position.z, 3);
    out += "\n";
  }
  for (const Vertex& v : vertices_) {
    out += "vt";
    AppendNumber(out, v.u, 4);
    AppendNumber(out, v.v, 4);
    out += "\n";
  }
  for (const Vertex& v : vertices_) {
    const Vec3 n = Normalised(v.normal);
    out += "vn";
    AppendNumber(out, n.x, 4);
    AppendNumber(out, n.y, 4);
    AppendNumber(out, n.z, 4);
    out += "\n";
  }
  for (size_t i = 0; i < triangles_.size(); i += 3) {
    out += "f";
    for (int k = 0; k < 3; ++k) {
      const std::string index = std::to_string(triangles_[i + k] + 1);
      out += " " + index + "/" + index + "/" + index;
    }
    out += "\n";
  }
  return out;
}

}  // namespace models
