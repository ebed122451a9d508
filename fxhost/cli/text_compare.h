#pragma once
// Comparing names as users type them.

#include <algorithm>
#include <cctype>
#include <string_view>

namespace fxhost {

// Whether `a` and `b` are equal ignoring the case of ASCII letters.
inline bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace fxhost
