#pragma once
// Bad input that fxhost finds itself: a malformed argument, an unknown parameter, a missing file.

#include <stdexcept>

namespace fxhost {

// The message is one line that names the problem; main() prints it and exits non-zero.
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace fxhost
