#include "scene/obj_reader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace scene {
namespace {

// White space as the line scanner sees it (the C locale's set).
bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Leading and trailing spaces and tabs removed, every inner run of them made
// one space. A line break is an ordinary character here, so a run before it
// stays as one space. The line ends at its first NUL.
std::string Normalise(std::string_view line) {
  std::string out;
  out.reserve(line.size());
  bool pendingSpace = false;
  for (char c : line) {
    if (c == '\0') break;
    if (IsBlank(c)) {
      pendingSpace = !out.empty();
      continue;
    }
    if (pendingSpace) out.push_back(' ');
    pendingSpace = false;
    out.push_back(c);
  }
  return out;
}

class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) {}

  void SkipSpace() {
    while (pos_ < text_.size() && IsSpace(text_[pos_])) ++pos_;
  }
  bool Literal(char c) {
    if (pos_ >= text_.size() || text_[pos_] != c) return false;
    ++pos_;
    return true;
  }
  // An optional sign, then the number: decimal or exponent form, "inf" or
  // "nan", always with "." as the decimal point.
  std::optional<float> Float() {
    SkipSpace();
    const bool negative = Sign();
    if (!AtDigitsOrWord()) return std::nullopt;
    float value = 0;
    const auto [end, error] = std::from_chars(Rest().data(), Rest().data() + Rest().size(), value,
                                              std::chars_format::general);
    if (error != std::errc()) return std::nullopt;
    pos_ += static_cast<std::size_t>(end - Rest().data());
    return negative ? -value : value;
  }
  // An optional sign and decimal digits; a value outside int does not count.
  std::optional<int> Int() {
    SkipSpace();
    const bool negative = Sign();
    if (!AtDigitsOrWord()) return std::nullopt;
    long long value = 0;
    const auto [end, error] = std::from_chars(Rest().data(), Rest().data() + Rest().size(), value);
    if (error != std::errc()) return std::nullopt;
    if (negative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    pos_ += static_cast<std::size_t>(end - Rest().data());
    return static_cast<int>(value);
  }

 private:
  std::string_view Rest() const { return text_.substr(pos_); }
  // Consumes one sign; a second sign is not a number.
  bool Sign() {
    const bool negative = Literal('-');
    if (!negative) Literal('+');
    return negative;
  }
  bool AtDigitsOrWord() const {
    return pos_ < text_.size() && text_[pos_] != '-' && text_[pos_] != '+';
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

// Reads `line` by `format` like the C library's formatted scanner: a space
// matches any white space (also none), "%f" and "%d" skip white space and
// read a number, any other character must match itself. Returns how many
// numbers were read before the first mismatch; floats and ints land in
// their own arrays in order.
int Scan(std::string_view line, std::string_view format, float* floats, int* ints) {
  Cursor cursor(line);
  int count = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char f = format[i];
    if (f == ' ') {
      cursor.SkipSpace();
    } else if (f == '%' && i + 1 < format.size()) {
      const char kind = format[++i];
      if (kind == 'f') {
        const std::optional<float> v = cursor.Float();
        if (!v) return count;
        *floats++ = *v;
      } else {
        const std::optional<int> v = cursor.Int();
        if (!v) return count;
        *ints++ = *v;
      }
      ++count;
    } else if (!cursor.Literal(f)) {
      return count;
    }
  }
  return count;
}

struct FacePattern {
  const char* format;
  int values;
  int stride;  // ints per corner; the position index comes first
};

constexpr std::array<FacePattern, 4> kFacePatterns = {{
    {"f %d %d %d", 3, 1},
    {"f %d// %d// %d//", 3, 1},
    {"f %d//%d %d//%d %d//%d", 6, 2},
    {"f %d/%d/%d %d/%d/%d %d/%d/%d", 9, 3},
}};

class Parser {
 public:
  // False after an "f" line in none of the face forms.
  bool Line(std::string_view raw) {
    const std::string line = Normalise(raw);
    if (line.empty()) return true;
    std::array<float, 3> f{};
    if (line[0] == 'v' && line.size() > 1) {
      if (line[1] == 't') {
        if (line.size() > 2 && line[2] == ' ' && Scan(line, "vt %f %f", f.data(), nullptr) == 2) {
          mesh_.texCoords.insert(mesh_.texCoords.end(), f.begin(), f.begin() + 2);
        }
      } else if (line[1] == ' ') {
        if (Scan(line, "v %f %f %f", f.data(), nullptr) == 3) {
          mesh_.positions.insert(mesh_.positions.end(), f.begin(), f.end());
        }
      } else if (line[1] == 'n') {
        if (Scan(line, "vn %f %f %f", f.data(), nullptr) == 3) {
          mesh_.normals.insert(mesh_.normals.end(), f.begin(), f.end());
        }
      }
      return true;
    }
    if (line[0] != 'f') return true;
    std::array<int, 9> d{};
    for (const FacePattern& pattern : kFacePatterns) {
      if (Scan(line, pattern.format, nullptr, d.data()) == pattern.values) {
        for (int corner = 0; corner < 3; ++corner)
          faceIndices_.push_back(d[corner * pattern.stride]);
        return true;
      }
    }
    output_ = "unrecognized sequence\n" + line + "\n";
    return false;
  }

  // Checks every face index against the positions, then hands the arrays
  // over.
  ObjResult Finish(std::string_view label, ObjMesh& mesh) {
    const long long positions = static_cast<long long>(mesh_.positions.size() / 3);
    for (int index : faceIndices_) {
      if (index < 1 || index > positions) return {false, output_, UnsuitableModelMessage(label)};
    }
    for (int index : faceIndices_) mesh_.indices.push_back(static_cast<uint32_t>(index - 1));
    Append(mesh.positions, mesh_.positions);
    Append(mesh.texCoords, mesh_.texCoords);
    Append(mesh.normals, mesh_.normals);
    Append(mesh.indices, mesh_.indices);
    return {true, output_, ""};
  }

  ObjResult Failure() const { return {false, output_, ""}; }

 private:
  template <typename T>
  static void Append(std::vector<T>& to, const std::vector<T>& from) {
    to.insert(to.end(), from.begin(), from.end());
  }

  ObjMesh mesh_;
  std::vector<int> faceIndices_;
  std::string output_;
};

// Lines of a text in memory: up to "\n" (dropped) or 1001 characters.
constexpr std::size_t kTextLineLimit = 1001;
// Lines of a file: up to and including "\n", at most 999 characters.
constexpr std::size_t kFileLineLimit = 999;

}  // namespace

std::string UnsuitableModelMessage(std::string_view label) {
  return "Ungeeignetes Model: Path: " + std::string(label);
}

ObjResult ParseObjText(std::string_view text, ObjMesh& mesh) {
  Parser parser;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::string_view rest = text.substr(pos);
    const std::size_t newline = rest.substr(0, kTextLineLimit).find('\n');
    if (newline != std::string_view::npos) {
      if (!parser.Line(rest.substr(0, newline))) return parser.Failure();
      pos += newline + 1;
    } else if (rest.size() > kTextLineLimit) {
      if (!parser.Line(rest.substr(0, kTextLineLimit))) return parser.Failure();
      pos += kTextLineLimit;
    } else {
      break;  // the last line, with no "\n" after it, is not read
    }
  }
  return parser.Finish("MEM", mesh);
}

ObjResult ParseObjFileBytes(std::string_view path, const platform::FileBytes& file, ObjMesh& mesh) {
  if (file.status == platform::ReadStatus::TooLarge) {
    return {false, "File " + std::string(path) + " is too large!\n", ""};
  }
  if (file.status != platform::ReadStatus::Ok) {
    return {false, "File " + std::string(path) + " not found!\n", ""};
  }
  Parser parser;
  const std::string_view bytes = file.bytes;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::string_view rest = bytes.substr(pos);
    const std::size_t newline = rest.substr(0, kFileLineLimit).find('\n');
    const std::size_t length =
        newline != std::string_view::npos ? newline + 1 : std::min(rest.size(), kFileLineLimit);
    if (!parser.Line(rest.substr(0, length))) return parser.Failure();
    pos += length;
  }
  return parser.Finish(path, mesh);
}

}  // namespace scene
