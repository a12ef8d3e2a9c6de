// sound-effects FOLDER
//
// Writes select.wav (the menu click), unwatambS.wav (the underwater
// ambience) and COMPSEL.WAV (a confirm click) into FOLDER.
#include <cstdio>
#include <string>

#include "tools/sound-effects/sound_synth.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: sound-effects FOLDER\n");
    return 2;
  }
  for (const synth::SoundFile& file : synth::SoundEffectFiles()) {
    const std::string path = std::string(argv[1]) + "/" + file.name;
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
      std::perror(path.c_str());
      return 1;
    }
    const bool written =
        std::fwrite(file.bytes.data(), 1, file.bytes.size(), out) == file.bytes.size();
    if (std::fclose(out) != 0 || !written) {
      std::fprintf(stderr, "sound-effects: could not write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
