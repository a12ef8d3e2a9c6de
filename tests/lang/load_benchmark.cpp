// Loading the string archive at start-up: reading the program file, finding
// the markers, decoding and building the tables. Run by hand:
//   build/tests/lang/lang_load_benchmark
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "lang/language.h"
#include "platform/paths.h"

namespace {

namespace fs = std::filesystem;

void Load(benchmark::State& state, const fs::path& program) {
  auto archive = std::make_unique<lang::StringArchive>();
  for (auto _ : state) {
    if (!lang::LoadStringArchiveFromFile(*archive, program)) {
      state.SkipWithError("no archive in this program file");
      break;
    }
    benchmark::DoNotOptimize(archive->languageCount);
  }
  state.counters["file_MB"] = static_cast<double>(fs::file_size(program)) / 1e6;
}

// This benchmark's own file carries the archive as the program does.
void BM_LoadStringArchive(benchmark::State& state) { Load(state, platform::ExecutablePath()); }
BENCHMARK(BM_LoadStringArchive)->Unit(benchmark::kMillisecond);

// Only finding the markers, decoding and building, from memory.
void BM_LoadStringArchiveFromMemory(benchmark::State& state) {
  std::ifstream self(platform::ExecutablePath(), std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(self),
                                   std::istreambuf_iterator<char>()};
  auto archive = std::make_unique<lang::StringArchive>();
  for (auto _ : state) {
    if (!lang::LoadStringArchiveFromBytes(*archive, bytes)) {
      state.SkipWithError("no archive in this program file");
      break;
    }
    benchmark::DoNotOptimize(archive->languageCount);
  }
}
BENCHMARK(BM_LoadStringArchiveFromMemory)->Unit(benchmark::kMillisecond);

// A program file with 32 MB of other data in front of the archive.
void BM_LoadStringArchiveBehind32MB(benchmark::State& state) {
  const fs::path path = fs::temp_directory_path() / ("mg-lang-bench-" + std::to_string(getpid()));
  {
    std::ifstream self(platform::ExecutablePath(), std::ios::binary);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << std::string(32u << 20, '\x90') << self.rdbuf();
  }
  Load(state, path);
  fs::remove(path);
}
BENCHMARK(BM_LoadStringArchiveBehind32MB)->Unit(benchmark::kMillisecond);

}  // namespace
