// Result records as the program builds them and form bodies as a browser
// posts them, for the comparison server's tests.
#pragma once

#include <cstdio>
#include <string>

#include "bench/result_codec.h"

namespace compare_test {

inline std::string Record(double fps, int mode,
                          const std::string& renderer = "llvmpipe (LLVM 15.0.6, 256 bits)") {
  char fpsText[64];
  std::snprintf(fpsText, sizeof fpsText, "%f", fps);
  return "MSA:4\nMode:" + std::to_string(mode) + "\nFPS:" + fpsText +
         "\nScreenW:1024\nScreenH:768\nGL_VERSION:4.5 (Compatibility Profile) Mesa 22.3.6\n"
         "GL_RENDERER:" +
         renderer +
         "\nGL_VENDOR:Mesa\nENDE:ENDE\nMGTS:12.500000\n\nOSVer:6.1.0\nBit:64\nVersion:2.33\n"
         "\nOS-Name:Debian GNU/Linux 12 (bookworm)\nOS-Caption:Debian GNU/Linux 12\n\n"
         "CPU-Name:Example CPU @ 3.00GHz\nCPU-NumberOfCores:2\n\nMemory:0\n";
}

// Percent-encoding as a browser applies it to a form value.
inline std::string FormValue(const std::string& value) {
  std::string out;
  for (const char c : value) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (plain) {
      out += c;
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(c));
      out += escaped;
    }
  }
  return out;
}

// The form the result page posts: the empty image field, then the record.
inline std::string FormBody(const std::string& record) {
  return "pelvorndata_img=&pelvorndata=" +
         FormValue(bench::EncodeFlattenedRecord(bench::FlattenRecord(record)));
}

}  // namespace compare_test
