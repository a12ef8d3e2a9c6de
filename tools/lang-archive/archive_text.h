// Assembles the string archive's text from its sources in assets/lang and
// wraps the compressed text into the container the program carries.
//
// Sources (UTF-8, one entry per line):
//   general.txt                  the general table
//   licence-en.txt, licence-de.txt  the two licence blocks
//   NN-<name>.txt (NN = 00, 01, ...) one language each, in that order; the
//                                first line is the language's name line
// The archive text is UTF-16LE with a byte-order mark and CR LF line ends:
// "##" + general, "##" + each licence, "##=" + name line + each language, and
// a closing "##".
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace lang_archive {

struct SourceFile {
  std::string name;
  std::vector<std::string> lines;  // UTF-8, without line ends
};

struct ArchiveSources {
  SourceFile general;
  SourceFile licenceEn;
  SourceFile licenceDe;
  std::vector<SourceFile> languages;  // in file-name order
};

// Reads the folder. Missing general or licence files give empty sections;
// languages are whatever NN-*.txt files exist. Fails with a message naming
// the file on invalid UTF-8, on "##" anywhere (it would cut a section) and on
// a language file without its name line.
bool ReadArchiveSources(const std::filesystem::path& folder, ArchiveSources& sources,
                        std::string& error);

// Splits UTF-8 file contents into lines (LF or CR LF; a byte-order mark and
// a final line end are dropped) and checks them as above.
bool SplitSourceLines(std::string_view contents, SourceFile& file, std::string& error);

// The archive text as UTF-16LE bytes, starting with the byte-order mark.
std::vector<uint8_t> AssembleArchiveText(const ArchiveSources& sources);

// Start marker, 4-byte length, LZARI stream, blank padding, end marker.
std::vector<uint8_t> BuildContainer(std::span<const uint8_t> text);

}  // namespace lang_archive
