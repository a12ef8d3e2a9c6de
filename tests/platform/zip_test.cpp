#include "platform/zip.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;
using test_support::ReadBytes;
using test_support::WriteBytes;

struct ZipEntry {
  std::string name;
  std::string bytes;
  unsigned mode = 0;
};

// Reads every entry back with libzip's reader; empty when the file is no zip.
std::vector<ZipEntry> ReadZip(const fs::path& path) {
  std::vector<ZipEntry> entries;
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
  if (archive == nullptr) return entries;
  for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
    const auto index = static_cast<zip_uint64_t>(i);
    zip_stat_t st;
    zip_stat_index(archive, index, 0, &st);
    ZipEntry entry{st.name, std::string(st.size, '\0')};
    zip_file_t* file = zip_fopen_index(archive, index, 0);
    const zip_int64_t read = zip_fread(file, entry.bytes.data(), st.size);
    zip_fclose(file);
    EXPECT_EQ(read, static_cast<zip_int64_t>(st.size));
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    zip_file_get_external_attributes(archive, index, 0, &system, &attributes);
    if (system == ZIP_OPSYS_UNIX) entry.mode = (attributes >> 16) & 07777;
    entries.push_back(entry);
  }
  zip_close(archive);
  return entries;
}

std::vector<std::string> FolderContents(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

TEST(ZipTest, HoldsTheFileUnderItsOwnNameWithBytesAndPermissions) {
  test_support::ScratchFolder scratch;
  const fs::path source = scratch.path() / "deep" / "Programm \u00fc.bin";
  std::string bytes("MZ\0\x01\xff", 5);
  for (int i = 0; i < 5000; ++i) bytes += static_cast<char>(i * 7);
  WriteBytes(source, bytes);
  chmod(source.c_str(), 0750);
  const fs::path zip = scratch.path() / "out.zip";
  WriteBytes(zip, "an older zip that is replaced");

  ASSERT_TRUE(platform::ZipSingleFile(source, zip));
  const std::vector<ZipEntry> entries = ReadZip(zip);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "Programm \u00fc.bin");
  EXPECT_EQ(entries[0].bytes, bytes);
  EXPECT_EQ(entries[0].mode, 0750u);
  // No temporary file is left beside it.
  EXPECT_EQ(FolderContents(scratch.path()).size(), 2u);
}

TEST(ZipTest, UnusableSourceOrTargetLeavesNothingAndKeepsTheOldZip) {
  test_support::ScratchFolder scratch;
  const fs::path folder = scratch.path() / "out";
  const fs::path zip = folder / "out.zip";
  WriteBytes(zip, "old");
  const fs::path fifo = scratch.path() / "fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  WriteBytes(scratch.path() / "file", "x");

  struct Case {
    fs::path source;
    fs::path target;
  } cases[] = {
      {scratch.path() / "missing", zip},
      {scratch.path(), zip},  // a folder
      {fifo, zip},            // would block a reader that waits for a writer
      {scratch.path() / "file", scratch.path() / "no-folder" / "out.zip"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source.string() + " -> " + c.target.string());
    EXPECT_FALSE(platform::ZipSingleFile(c.source, c.target));
    EXPECT_EQ(ReadBytes(zip), "old");
    EXPECT_EQ(FolderContents(folder), std::vector<std::string>{"out.zip"});
  }
}

}  // namespace
