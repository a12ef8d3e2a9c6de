// The one-file zip archive, read back field by field and inflated with zlib:
// the name in UTF-8, the bytes, their CRC, the DOS attributes and time.
#include "platform/zip.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <zlib.h>

#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;
using test_support::ReadBytes;
using test_support::WriteBytes;

uint32_t Get(const std::string& bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes.at(at + i));
  return value;
}

std::string Inflate(const std::string& deflated, size_t size) {
  std::string out(size, '\0');
  z_stream stream{};
  inflateInit2(&stream, -MAX_WBITS);
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(deflated.data()));
  stream.avail_in = static_cast<uInt>(deflated.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  const int result = inflate(&stream, Z_FINISH);
  inflateEnd(&stream);
  return result == Z_STREAM_END ? out : "(not a whole deflate stream)";
}

TEST(Win32ZipTest, ArchiveHoldsTheFileWithItsNameAttributesAndTime) {
  const test_support::ScratchFolder dir;
  const fs::path source = dir.path() / L"Morvandel \u6e2c\u5b9a.exe";
  std::string content;
  for (int i = 0; i < 20000; ++i) content += "line " + std::to_string(i % 97) + "\n";
  WriteBytes(source, content);
  // 2024-03-09 13:45:30 local time; DOS time keeps even seconds.
  SYSTEMTIME when{2024, 3, 6, 9, 13, 45, 30, 0};
  FILETIME local{};
  FILETIME utc{};
  ASSERT_TRUE(SystemTimeToFileTime(&when, &local) && LocalFileTimeToFileTime(&local, &utc));
  {
    const HANDLE file =
        CreateFileW(source.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &utc));
    CloseHandle(file);
  }
  ASSERT_TRUE(SetFileAttributesW(source.c_str(), FILE_ATTRIBUTE_READONLY));

  const fs::path zip = dir.path() / "program.zip";
  WriteBytes(zip, "an older archive");
  ASSERT_TRUE(platform::ZipSingleFile(source, zip));
  const std::string archive = ReadBytes(zip);
  SetFileAttributesW(source.c_str(), FILE_ATTRIBUTE_NORMAL);

  ASSERT_EQ(Get(archive, 0, 4), 0x04034B50u);
  EXPECT_EQ(Get(archive, 6, 2), 0x0800u) << "UTF-8 name";
  EXPECT_EQ(Get(archive, 8, 2), 8u) << "deflated";
  EXPECT_EQ(Get(archive, 10, 2), (13u << 11) | (45u << 5) | 15u);
  EXPECT_EQ(Get(archive, 12, 2), ((2024u - 1980u) << 9) | (3u << 5) | 9u);
  const uint32_t crc = Get(archive, 14, 4);
  const uint32_t packed = Get(archive, 18, 4);
  EXPECT_EQ(Get(archive, 22, 4), content.size());
  const uint32_t nameLength = Get(archive, 26, 2);
  EXPECT_EQ(archive.substr(30, nameLength), "Morvandel \xE6\xB8\xAC\xE5\xAE\x9A.exe");
  const std::string deflated = archive.substr(30 + nameLength, packed);
  EXPECT_LT(packed, content.size() / 4) << "repetitive text packs well";
  EXPECT_EQ(Inflate(deflated, content.size()), content);
  EXPECT_EQ(crc, crc32(0, reinterpret_cast<const Bytef*>(content.data()), content.size()));

  const size_t directory = 30 + nameLength + packed;
  ASSERT_EQ(Get(archive, directory, 4), 0x02014B50u);
  EXPECT_EQ(Get(archive, directory + 16, 4), crc);
  EXPECT_NE(Get(archive, directory + 38, 4) & FILE_ATTRIBUTE_READONLY, 0u);
  const size_t end = directory + 46 + nameLength;
  ASSERT_EQ(Get(archive, end, 4), 0x06054B50u);
  EXPECT_EQ(Get(archive, end + 10, 2), 1u) << "one entry";
  EXPECT_EQ(archive.size(), end + 22);
}

TEST(Win32ZipTest, NothingIsWrittenWithoutAFileToPack) {
  const test_support::ScratchFolder dir;
  const fs::path zip = dir.path() / "program.zip";
  EXPECT_FALSE(platform::ZipSingleFile(dir.path() / "missing.exe", zip));
  EXPECT_FALSE(platform::ZipSingleFile(dir.path(), zip));
  WriteBytes(dir.path() / "a.exe", "a");
  EXPECT_FALSE(platform::ZipSingleFile(dir.path() / "a.exe", dir.path() / "no folder" / "a.zip"));
  EXPECT_FALSE(fs::exists(zip));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

}  // namespace
