// Form fields as a browser posts them (application/x-www-form-urlencoded)
// and as a query string carries them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace compare {

using FormFields = std::vector<std::pair<std::string, std::string>>;

// "a=1&b=x%2By+z" -> {a, 1}, {b, "x+y z"}. A "%" not followed by two hex
// digits stays as it is; empty pairs are left out.
FormFields ParseFormFields(std::string_view encoded);

// The value of the first field with this name.
std::optional<std::string_view> FindFormField(const FormFields& fields, std::string_view name);

}  // namespace compare
