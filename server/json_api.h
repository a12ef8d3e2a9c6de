// The server's JSON interface beside its pages:
//
//   GET  /api/results?level=N&limit=K  the K fastest results of level N with
//                                      their positions; without a level the
//                                      K newest of all levels (K: 1 to 1000,
//                                      default 100)
//   GET  /api/results/ID               one stored result and its position
//   POST /api/results                  the program's JSON record of a run
//                                      (application/json): stored, answered
//                                      201 with the stored result, its
//                                      position and the address of its page
//
// A result is an object of its stored fields; errors are {"error": TEXT}.
#pragma once

#include <chrono>
#include <optional>

#include "server/request_handler.h"
#include "server/result_store.h"
#include "server/submitted_result.h"

namespace compare {

// The answer to a request under /api/, or nothing for any other address.
std::optional<HttpResponse> HandleApiRequest(const HttpRequest& request, ResultStore& store,
                                             std::chrono::system_clock::time_point now);

// The figures of the program's JSON record ("average_fps", "max_mega_tris",
// "detail_level", "width", "height", "antialiasing", "gl": {"renderer",
// "version", "vendor"}, "version"); other fields are ignored. Refused by the
// same rules as a posted form: no FPS, or values out of range.
ReadResult ReadJsonRecord(std::string_view json);

}  // namespace compare
