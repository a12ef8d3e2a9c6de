#include "render/primitive_query.h"

#include <string_view>

namespace render {
namespace {

template <typename Function>
void Resolve(Function& function, const GlLookup& lookup, const char* name) {
  function = reinterpret_cast<Function>(lookup(name));
}

bool HasPrimitivesGenerated() {
  const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  if (version != nullptr && ParseGlVersion(version).major >= 3) return true;
  const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  return extensions != nullptr &&
         std::string_view(extensions).find("GL_EXT_transform_feedback") != std::string_view::npos;
}

}  // namespace

bool PrimitiveQuery::Init(const GlLookup& lookup) {
  if (name_ != 0) return true;
  if (!HasPrimitivesGenerated()) return false;
  Resolve(genQueries_, lookup, "glGenQueries");
  Resolve(deleteQueries_, lookup, "glDeleteQueries");
  Resolve(beginQuery_, lookup, "glBeginQuery");
  Resolve(endQuery_, lookup, "glEndQuery");
  Resolve(getQueryObjectuiv_, lookup, "glGetQueryObjectuiv");
  if (!genQueries_ || !deleteQueries_ || !beginQuery_ || !endQuery_ || !getQueryObjectuiv_)
    return false;
  genQueries_(1, &name_);
  return name_ != 0;
}

bool PrimitiveQuery::Begin() {
  if (name_ == 0 || pending_ || open_) return false;
  beginQuery_(GL_PRIMITIVES_GENERATED, name_);
  open_ = true;
  return true;
}

void PrimitiveQuery::End() {
  if (!open_) return;
  endQuery_(GL_PRIMITIVES_GENERATED);
  open_ = false;
  pending_ = true;
}

std::optional<uint64_t> PrimitiveQuery::Collect() {
  if (!pending_) return std::nullopt;
  GLuint ready = 0;
  getQueryObjectuiv_(name_, GL_QUERY_RESULT_AVAILABLE, &ready);
  if (ready == 0) return std::nullopt;
  GLuint count = 0;
  getQueryObjectuiv_(name_, GL_QUERY_RESULT, &count);
  pending_ = false;
  return count;
}

void PrimitiveQuery::Release() {
  if (name_ != 0) deleteQueries_(1, &name_);
  name_ = 0;
  pending_ = open_ = false;
}

}  // namespace render
