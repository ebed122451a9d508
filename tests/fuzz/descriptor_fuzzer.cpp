// The descriptor parser: any bytes are a descriptor or one std::runtime_error.
#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "host/descriptor_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    host::ParseDescriptor({data, size});
  } catch (const std::runtime_error&) {
  }
  return 0;
}
