// Asks GL how many primitives it assembled while one frame's scene was drawn
// (GL_PRIMITIVES_GENERATED), without ever waiting for the answer: the query
// is read on a later frame, once GL says it is ready. Constructible without a
// context; Init looks up the query functions in the current one.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdint>
#include <optional>

#include "render/gl_entry_points.h"

namespace render {

class PrimitiveQuery {
 public:
  PrimitiveQuery() = default;
  PrimitiveQuery(const PrimitiveQuery&) = delete;
  PrimitiveQuery& operator=(const PrimitiveQuery&) = delete;
  ~PrimitiveQuery() = default;

  // Looks up the functions; false when the driver has no such query (GL
  // before 3.0 without EXT_transform_feedback), and then nothing is asked.
  bool Init(const GlLookup& lookup);
  bool available() const { return name_ != 0; }
  // Whether a query has been asked and not yet read.
  bool pending() const { return pending_; }

  // Around the draws to count; Begin does nothing while an answer is awaited.
  bool Begin();
  void End();
  // The awaited answer when GL has it; empty (and still awaited) otherwise.
  std::optional<uint64_t> Collect();
  // Forgets an awaited answer.
  void Drop() { pending_ = false; }
  // Deletes the query object; needs the context that created it.
  void Release();
  // Forgets the query object of a context that is gone with it.
  void Forget() {
    name_ = 0;
    pending_ = open_ = false;
  }

 private:
  PFNGLGENQUERIESPROC genQueries_ = nullptr;
  PFNGLDELETEQUERIESPROC deleteQueries_ = nullptr;
  PFNGLBEGINQUERYPROC beginQuery_ = nullptr;
  PFNGLENDQUERYPROC endQuery_ = nullptr;
  PFNGLGETQUERYOBJECTUIVPROC getQueryObjectuiv_ = nullptr;
  GLuint name_ = 0;
  bool pending_ = false;
  bool open_ = false;
};

}  // namespace render
