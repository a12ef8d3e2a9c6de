// A zip archive of one file on Windows: zlib deflates the file as it is
// read, a small writer of our own frames it (local header, data, central
// directory, end record; the name in UTF-8), and the archive replaces
// `zipPath` atomically. The file's DOS attributes (read-only, hidden, ...)
// and its modification time, in local time as zip keeps it, go with it.
#include <windows.h>
#include <zlib.h>

#include <cstdint>
#include <string>

#include "platform/file_io.h"
#include "platform/win32/wide_text.h"
#include "platform/zip.h"

namespace platform {
namespace {

constexpr uint16_t kVersion = 20;       // 2.0: deflate
constexpr uint16_t kUtf8Name = 0x0800;  // general purpose flag 11
constexpr uint16_t kDeflated = 8;
constexpr uint64_t kLimit = 0xFFFFFFFFull;  // without the 64-bit extension

void Put16(std::string& out, uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

struct Entry {
  std::string name;
  uint16_t dosTime = 0;
  uint16_t dosDate = 0;
  uint32_t attributes = 0;
  uint32_t crc = 0;
  uint64_t size = 0;
  std::string deflated;
};

// The fields the local header and the central directory share.
void PutCommon(std::string& out, const Entry& entry) {
  Put16(out, kVersion);
  Put16(out, kUtf8Name);
  Put16(out, kDeflated);
  Put16(out, entry.dosTime);
  Put16(out, entry.dosDate);
  Put32(out, entry.crc);
  Put32(out, static_cast<uint32_t>(entry.deflated.size()));
  Put32(out, static_cast<uint32_t>(entry.size));
  Put16(out, static_cast<uint32_t>(entry.name.size()));
  Put16(out, 0);  // no extra field
}

std::string Archive(const Entry& entry) {
  std::string out;
  Put32(out, 0x04034B50);
  PutCommon(out, entry);
  out += entry.name;
  out += entry.deflated;
  const uint32_t directoryAt = static_cast<uint32_t>(out.size());
  Put32(out, 0x02014B50);
  Put16(out, kVersion);  // made by: MS-DOS attributes (host 0)
  PutCommon(out, entry);
  Put16(out, 0);  // comment
  Put16(out, 0);  // disk
  Put16(out, 0);  // internal attributes
  Put32(out, entry.attributes);
  Put32(out, 0);  // local header offset
  out += entry.name;
  const uint32_t directorySize = static_cast<uint32_t>(out.size()) - directoryAt;
  Put32(out, 0x06054B50);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, 1);
  Put32(out, directorySize);
  Put32(out, directoryAt);
  Put16(out, 0);
  return out;
}

// Reads and deflates the file; false when it cannot be read whole.
bool Deflate(const std::filesystem::path& source, Entry& entry) {
  z_stream stream{};
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) !=
      Z_OK) {
    return false;
  }
  char buffer[1 << 16];
  bool ok = true;
  const auto pump = [&](int flush) {
    do {
      stream.next_out = reinterpret_cast<Bytef*>(buffer);
      stream.avail_out = sizeof buffer;
      const int result = deflate(&stream, flush);
      if (result == Z_STREAM_ERROR) ok = false;
      entry.deflated.append(buffer, sizeof buffer - stream.avail_out);
    } while (ok && stream.avail_out == 0);
  };
  const ReadStatus read = ReadFileInChunks(source, 1 << 16, [&](std::span<const uint8_t> chunk) {
    entry.crc = crc32(entry.crc, chunk.data(), static_cast<uInt>(chunk.size()));
    entry.size += chunk.size();
    stream.next_in = const_cast<Bytef*>(chunk.data());
    stream.avail_in = static_cast<uInt>(chunk.size());
    pump(Z_NO_FLUSH);
    return ok && entry.size <= kLimit;
  });
  if (ok) pump(Z_FINISH);
  deflateEnd(&stream);
  return ok && read == ReadStatus::Ok && entry.size <= kLimit && entry.deflated.size() <= kLimit;
}

}  // namespace

bool ZipSingleFile(const std::filesystem::path& source, const std::filesystem::path& zipPath) {
  WIN32_FILE_ATTRIBUTE_DATA info{};
  if (!GetFileAttributesExW(source.c_str(), GetFileExInfoStandard, &info) ||
      (info.dwFileAttributes &
       (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) != 0) {
    return false;
  }
  Entry entry;
  entry.name = win32::Utf8(source.filename().wstring());
  entry.attributes = info.dwFileAttributes & 0xFF;
  FILETIME local{};
  if (!FileTimeToLocalFileTime(&info.ftLastWriteTime, &local) ||
      !FileTimeToDosDateTime(&local, &entry.dosDate, &entry.dosTime)) {
    return false;
  }
  return Deflate(source, entry) && ReplaceFileAtomically(zipPath, Archive(entry));
}

}  // namespace platform
