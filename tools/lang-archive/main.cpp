// mg-lang-archive: builds the string archive container from assets/lang.
//
//   mg-lang-archive <source folder> <container file>
//   mg-lang-archive --report <source folder>
//
// The first form writes the container and checks that it decodes back to the
// same text. The second prints each language's name line and how many of the
// English entries it covers.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "lang/archive_container.h"
#include "lang/string_archive.h"
#include "platform/text_codec.h"
#include "tools/lang-archive/archive_text.h"

namespace {

int Report(const lang_archive::ArchiveSources& sources) {
  lang::StringArchive archive;
  lang::BuildStringArchive(archive, lang_archive::AssembleArchiveText(sources));
  for (int l = 0; l < archive.languageCount; ++l) {
    if (archive.languageNames[l] == nullptr) continue;
    const lang::CoverageCount count = lang::CountCoverage(archive, archive.languageText[l]);
    std::printf("%2d  %-40s %3d %%  (%d of %d)\n", l,
                platform::Utf16ToUtf8(archive.languageNames[l]).c_str(), count.Percent(),
                count.covered, count.english);
  }
  return 0;
}

int Build(const lang_archive::ArchiveSources& sources, const char* output) {
  const std::vector<uint8_t> text = lang_archive::AssembleArchiveText(sources);
  const std::vector<uint8_t> container = lang_archive::BuildContainer(text);
  std::vector<uint8_t> check;
  const auto payload = lang::FindArchivePayload(container);
  if (!payload || !lang::DecodeArchivePayload(*payload, check) || check != text) {
    std::fprintf(stderr, "mg-lang-archive: the container does not decode to its text\n");
    return 1;
  }
  std::ofstream out(output, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(container.data()),
            static_cast<std::streamsize>(container.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "mg-lang-archive: cannot write %s\n", output);
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const bool report = argc == 3 && std::string(argv[1]) == "--report";
  if (argc != 3) {
    std::fprintf(stderr,
                 "usage: mg-lang-archive <source folder> <container file>\n"
                 "       mg-lang-archive --report <source folder>\n");
    return 2;
  }
  lang_archive::ArchiveSources sources;
  std::string error;
  if (!lang_archive::ReadArchiveSources(report ? argv[2] : argv[1], sources, error)) {
    std::fprintf(stderr, "mg-lang-archive: %s\n", error.c_str());
    return 1;
  }
  return report ? Report(sources) : Build(sources, argv[2]);
}
