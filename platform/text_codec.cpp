#include "platform/text_codec.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace platform {
namespace {

// Decodes one UTF-8 sequence at bytes[i]; returns the code point or -1 and
// advances i past the sequence (or one byte on error).
long DecodeUtf8(std::string_view bytes, size_t& i) {
  const auto b0 = static_cast<unsigned char>(bytes[i]);
  int extra = 0;
  long cp = 0;
  long min = 0;
  if (b0 < 0x80) {
    ++i;
    return b0;
  } else if ((b0 & 0xE0) == 0xC0) {
    extra = 1, cp = b0 & 0x1F, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    extra = 2, cp = b0 & 0x0F, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    extra = 3, cp = b0 & 0x07, min = 0x10000;
  } else {
    ++i;
    return -1;
  }
  if (i + extra >= bytes.size()) {
    ++i;
    return -1;
  }
  for (int k = 1; k <= extra; ++k) {
    const auto b = static_cast<unsigned char>(bytes[i + k]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return -1;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    return -1;
  }
  i += extra + 1;
  return cp;
}

void AppendUtf16(WString& out, long cp) {
  if (cp >= 0x10000) {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  } else {
    out.push_back(static_cast<char16_t>(cp));
  }
}

// Windows-1252 bytes 0x80..0x9F; the five undefined ones map to themselves
// as Windows' own conversion does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

WString Utf16ToText(std::string_view bytes, bool bigEndian) {
  WString out(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < out.size(); ++i) {
    const auto first = static_cast<unsigned char>(bytes[2 * i]);
    const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
    out[i] = static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
  }
  return out;
}

// For a text that from_chars found out of range: true when its magnitude is
// too large (the decimal exponent of its first significant digit is
// positive), false when it is too small.
bool Overflows(std::string_view number) {
  size_t i = 0;
  if (i < number.size() && (number[i] == '+' || number[i] == '-')) ++i;
  long long exponent = 0;
  bool significant = false;
  bool afterPoint = false;
  for (; i < number.size(); ++i) {
    const char c = number[i];
    if (c == '.') {
      afterPoint = true;
    } else if (c >= '0' && c <= '9') {
      if (significant) {
        if (!afterPoint) ++exponent;
      } else if (c != '0') {
        significant = true;
      } else if (afterPoint) {
        --exponent;
      }
    } else {
      break;
    }
  }
  if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
    ++i;
    bool negative = false;
    if (i < number.size() && (number[i] == '+' || number[i] == '-')) negative = number[i++] == '-';
    long long written = 0;
    for (; i < number.size() && number[i] >= '0' && number[i] <= '9'; ++i) {
      written = std::min(written * 10 + (number[i] - '0'), 1LL << 40);
    }
    exponent += negative ? -written : written;
  }
  return exponent > 0;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    if (DecodeUtf8(bytes, i) < 0) return false;
  }
  return true;
}

WString Utf8ToUtf16(std::string_view utf8) {
  WString out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const long cp = DecodeUtf8(utf8, i);
    AppendUtf16(out, cp < 0 ? 0xFFFD : cp);
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    long cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

WString Windows1252ToUtf16(std::string_view bytes) {
  WString out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    out.push_back(b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : static_cast<char16_t>(b));
  }
  return out;
}

WString AnsiToUtf16(std::string_view bytes) {
  return IsValidUtf8(bytes) ? Utf8ToUtf16(bytes) : Windows1252ToUtf16(bytes);
}

ByteOrderMark DetectByteOrderMark(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE")) return ByteOrderMark::Utf16Le;
  if (bytes.starts_with("\xFE\xFF")) return ByteOrderMark::Utf16Be;
  if (bytes.starts_with("\xEF\xBB\xBF")) return ByteOrderMark::Utf8;
  return ByteOrderMark::None;
}

WString DecodeTextFile(std::string_view bytes) {
  switch (DetectByteOrderMark(bytes)) {
    case ByteOrderMark::Utf16Le:
      return Utf16ToText(bytes.substr(2), false);
    case ByteOrderMark::Utf16Be:
      return Utf16ToText(bytes.substr(2), true);
    case ByteOrderMark::Utf8:
      return Utf8ToUtf16(bytes.substr(3));
    case ByteOrderMark::None:
      break;
  }
  return AnsiToUtf16(bytes);
}

std::string EncodeUtf16LeWithBom(std::u16string_view text) {
  std::string out = "\xFF\xFE";
  out.reserve(2 + text.size() * 2);
  for (char16_t c : text) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  }
  return out;
}

WString Ascii(std::string_view ascii) { return WString(ascii.begin(), ascii.end()); }

WString FormatInt(int value) { return Ascii(std::to_string(value)); }

std::string FormatFloat8(double value) {
  if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  char buf[400];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 6);
  return std::string(buf, res.ptr);
}

WString FormatFloat(double value) { return Ascii(FormatFloat8(value)); }

int ParseLeadingInt(std::u16string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > 1LL << 32) value = 1LL << 32;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

double ParseLeadingDouble(std::u16string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  std::string ascii;
  for (; i < text.size() && text[i] < 0x80 && ascii.size() < 512; ++i) {
    ascii.push_back(static_cast<char>(text[i]));
  }
  const char* first = ascii.data();
  if (!ascii.empty() && ascii[0] == '+') ++first;
  double value = 0.0;
  const auto res = std::from_chars(first, ascii.data() + ascii.size(), value);
  if (res.ec == std::errc::result_out_of_range) {
    const std::string_view number(first, static_cast<size_t>(res.ptr - first));
    const bool negative = number.starts_with('-');
    if (Overflows(number)) {
      return negative ? -std::numeric_limits<double>::infinity()
                      : std::numeric_limits<double>::infinity();
    }
    return negative ? -0.0 : 0.0;
  }
  return res.ec == std::errc() ? value : 0.0;
}

std::string PercentEncode(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 3);
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                            (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' ||
                            byte == '_' || byte == '~';
    if (unreserved) {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    }
  }
  return out;
}

std::string PercentDecode(std::string_view text) {
  const auto hex = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hex(text[i + 1]) >= 0 && hex(text[i + 2]) >= 0) {
      out += static_cast<char>(hex(text[i + 1]) * 16 + hex(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace platform
