// Text conversions shared by every subsystem.
//
// Wide text is UTF-16 (std::u16string), as the settings file and the string
// archive store it. 8-bit text from outside is UTF-8 when it is valid UTF-8,
// otherwise Windows-1252, which stands in for the ANSI code page here.
// Number formatting never depends on the process locale: floats always use
// a dot.
#pragma once

#include <string>
#include <string_view>

namespace platform {

using WString = std::u16string;

bool IsValidUtf8(std::string_view bytes);
WString Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view text);
WString Windows1252ToUtf16(std::string_view bytes);
// UTF-8 when valid, otherwise Windows-1252.
WString AnsiToUtf16(std::string_view bytes);
// Text files: a byte-order mark at the start tells the encoding.
enum class ByteOrderMark { None, Utf16Le, Utf16Be, Utf8 };
ByteOrderMark DetectByteOrderMark(std::string_view bytes);
// FF FE: UTF-16LE; FE FF: UTF-16BE; EF BB BF: UTF-8; without a mark 8-bit
// text (AnsiToUtf16). The mark is not part of the text. A last odd byte of
// UTF-16 text is half a character: it is left out.
WString DecodeTextFile(std::string_view bytes);
// FF FE followed by the text in UTF-16LE.
std::string EncodeUtf16LeWithBom(std::u16string_view text);

// Every byte except RFC 3986's unreserved characters (letters, digits,
// "-", ".", "_", "~") as "%XX" with upper-case hex digits.
std::string PercentEncode(std::string_view bytes);
// The bytes "%XX" stands for, in either case of hex digits; a "%" without two
// hex digits after it stays as it is.
std::string PercentDecode(std::string_view text);

// Only for ASCII literals (keys, section names, formats).
WString Ascii(std::string_view ascii);

// "%d"
WString FormatInt(int value);
// "%f": six decimals, a dot, whatever the locale; NaN and infinities as
// "nan", "inf", "-inf".
WString FormatFloat(double value);
std::string FormatFloat8(double value);

// The integer at the start of the text as the C library's string-to-integer
// conversion reads it: leading blanks and a sign allowed, reading stops at the
// first non-digit, 0 when there are no digits; saturates at the int range.
int ParseLeadingInt(std::u16string_view text);
// A decimal floating-point number at the start of the text (locale
// independent); 0 when there is none. Like the C library's conversion, a
// number too large for a double gives an infinity of its sign and one too
// small gives zero.
double ParseLeadingDouble(std::u16string_view text);

}  // namespace platform
