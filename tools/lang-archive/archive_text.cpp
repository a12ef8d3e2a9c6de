#include "tools/lang-archive/archive_text.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "lang/archive_container.h"
#include "platform/text_codec.h"
#include "tools/lang-archive/lzari_encoder.h"

namespace lang_archive {
namespace {

namespace fs = std::filesystem;

// The decoder may look two bytes past the stream; the padding covers that
// with room to spare.
constexpr size_t kPadding = 16;

bool ReadSource(const fs::path& path, SourceFile& file, std::string& error) {
  file.name = path.filename().string();
  std::ifstream in(path, std::ios::binary);
  if (!in) return true;  // absent: an empty section
  const std::string contents((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
  return SplitSourceLines(contents, file, error);
}

// "NN-<name>.txt" with two digits.
bool IsLanguageFileName(std::string_view name) {
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  return name.size() > 7 && digit(name[0]) && digit(name[1]) && name[2] == '-' &&
         name.ends_with(".txt");
}

void AppendUtf16Le(std::vector<uint8_t>& out, std::u16string_view text) {
  for (char16_t c : text) {
    out.push_back(static_cast<uint8_t>(c & 0xFF));
    out.push_back(static_cast<uint8_t>(c >> 8));
  }
}

void AppendLine(std::vector<uint8_t>& out, std::string_view utf8) {
  AppendUtf16Le(out, platform::Utf8ToUtf16(utf8));
  AppendUtf16Le(out, u"\r\n");
}

}  // namespace

bool SplitSourceLines(std::string_view contents, SourceFile& file, std::string& error) {
  file.lines.clear();
  if (contents.starts_with("\xEF\xBB\xBF")) contents.remove_prefix(3);
  if (!platform::IsValidUtf8(contents)) {
    error = file.name + ": not valid UTF-8";
    return false;
  }
  if (contents.find("##") != std::string_view::npos) {
    error = file.name + ": contains \"##\", which would end the section there";
    return false;
  }
  while (!contents.empty()) {
    const size_t lf = contents.find('\n');
    std::string_view line = contents.substr(0, lf);
    if (line.ends_with('\r')) line.remove_suffix(1);
    file.lines.emplace_back(line);
    if (lf == std::string_view::npos) break;
    contents.remove_prefix(lf + 1);
  }
  return true;
}

bool ReadArchiveSources(const fs::path& folder, ArchiveSources& sources, std::string& error) {
  sources = ArchiveSources();
  if (!ReadSource(folder / "general.txt", sources.general, error) ||
      !ReadSource(folder / "licence-en.txt", sources.licenceEn, error) ||
      !ReadSource(folder / "licence-de.txt", sources.licenceDe, error)) {
    return false;
  }
  std::vector<fs::path> languageFiles;
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
    if (IsLanguageFileName(entry.path().filename().string())) languageFiles.push_back(entry.path());
  }
  std::sort(languageFiles.begin(), languageFiles.end());
  for (const fs::path& path : languageFiles) {
    SourceFile file;
    if (!ReadSource(path, file, error)) return false;
    if (file.lines.empty() || file.lines[0].find('\t') == std::string::npos) {
      error = file.name + ": the first line must be the name line (two names with a tab between)";
      return false;
    }
    sources.languages.push_back(std::move(file));
  }
  return true;
}

std::vector<uint8_t> AssembleArchiveText(const ArchiveSources& sources) {
  std::vector<uint8_t> out;
  AppendUtf16Le(out, u"\uFEFF");
  for (const SourceFile* block : {&sources.general, &sources.licenceEn, &sources.licenceDe}) {
    AppendLine(out, "##");
    for (const std::string& line : block->lines) AppendLine(out, line);
  }
  for (const SourceFile& language : sources.languages) {
    AppendLine(out, "##=" + language.lines[0]);
    for (size_t i = 1; i < language.lines.size(); ++i) AppendLine(out, language.lines[i]);
  }
  AppendLine(out, "##");
  return out;
}

std::vector<uint8_t> BuildContainer(std::span<const uint8_t> text) {
  const std::string start = lang::ArchiveStartMarker();
  const std::string end = lang::ArchiveEndMarker();
  std::vector<uint8_t> out(start.begin(), start.end());
  const auto length = static_cast<uint32_t>(text.size());
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(length >> shift));
  const std::vector<uint8_t> stream = LzariEncode(text);
  out.insert(out.end(), stream.begin(), stream.end());
  out.insert(out.end(), kPadding, ' ');
  out.insert(out.end(), end.begin(), end.end());
  return out;
}

}  // namespace lang_archive
