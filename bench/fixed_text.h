// Fixed-point number text as "%.*f" and "%*.*f" write it, with a dot in
// every locale.
#pragma once

#include <string>

namespace bench {

// `decimals` digits after the dot, padded with blanks on the left to at
// least `width` characters; "nan", "inf" and "-inf" for the special values.
std::string FormatFixed(double value, int decimals, int width = 0);

}  // namespace bench
