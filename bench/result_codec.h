// The result record's travel form: the record is flattened into
// key=value pairs joined by "&", then encoded as Base64 of the reversed
// Base64 of the flattened text. The comparison server turns it back.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace bench {

// Standard Base64 (A-Z, a-z, 0-9, "+", "/", "=" padding), no line breaks.
std::string Base64Encode(std::string_view bytes);

// The bytes of a standard Base64 text; nothing when a character lies outside
// the alphabet, the length is not a multiple of 4 or the padding is misplaced.
std::optional<std::string> Base64Decode(std::string_view text);

// Applied in this order to the whole record: "=" -> "-", ":" -> "=",
// "&" removed, carriage return removed, line feed -> "&".
std::string FlattenRecord(std::string_view record);

// Base64(reverse(Base64(flattened))).
std::string EncodeFlattenedRecord(std::string_view flattened);

// The flattened record back from its encoded form; nothing when either
// Base64 layer does not decode.
std::optional<std::string> DecodeFlattenedRecord(std::string_view encoded);

}  // namespace bench
