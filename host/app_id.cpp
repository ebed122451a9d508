#include "host/app_id.h"

#include <stdexcept>

namespace host {

A_long app_id_from_code(std::string_view code) {
  if (code.size() != 4)
    throw std::invalid_argument("an application id has four characters: " + std::string(code));
  return static_cast<A_long>(
      PF_FOURCC(static_cast<unsigned char>(code[0]), static_cast<unsigned char>(code[1]),
                static_cast<unsigned char>(code[2]), static_cast<unsigned char>(code[3])));
}

std::string app_id_code(A_long app_id) {
  const auto id = static_cast<A_u_long>(app_id);
  return {static_cast<char>(id >> 24), static_cast<char>(id >> 16), static_cast<char>(id >> 8),
          static_cast<char>(id)};
}

}  // namespace host
