// The library section reader: any bytes as a Linux library are the descriptor section's bytes, lying
// within the file, or one std::runtime_error; so is the descriptor read from them.
#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "fuzz_support.h"
#include "host/descriptor_parser.h"
#include "host/descriptor_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const std::vector<std::uint8_t> section =
        host::ElfSection({data, size}, host::kDescriptorSection, "fuzz");
    fuzz::Expect(section.size() <= size, "a section larger than the file");
    host::ParseDescriptor(section);
  } catch (const std::runtime_error&) {
  }
  return 0;
}
