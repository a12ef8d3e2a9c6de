// asset-scramble <input> <output>: writes <input> with 128 added to every
// byte, the form in which the program carries its embedded files. The output
// is written to a temporary name and renamed, so an interrupted build never
// leaves a half-written file that looks current.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: asset-scramble <input> <output>\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "asset-scramble: cannot read %s\n", argv[1]);
    return 1;
  }
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
    std::fprintf(stderr, "asset-scramble: %s is too large to embed\n", argv[1]);
    return 1;
  }
  for (char& c : bytes) c = static_cast<char>(static_cast<unsigned char>(c) + 128);

  const std::string temp = std::string(argv[2]) + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
      std::fprintf(stderr, "asset-scramble: cannot write %s\n", temp.c_str());
      std::remove(temp.c_str());
      return 1;
    }
  }
  if (std::rename(temp.c_str(), argv[2]) != 0) {
    std::fprintf(stderr, "asset-scramble: cannot rename %s to %s\n", temp.c_str(), argv[2]);
    std::remove(temp.c_str());
    return 1;
  }
  return 0;
}
