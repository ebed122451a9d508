#include "host/descriptor_parser.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

namespace host {
namespace {

constexpr std::uint32_t FourCc(const char (&code)[5]) {
  return std::uint32_t{static_cast<unsigned char>(code[0])} << 24 |
         std::uint32_t{static_cast<unsigned char>(code[1])} << 16 |
         std::uint32_t{static_cast<unsigned char>(code[2])} << 8 |
         std::uint32_t{static_cast<unsigned char>(code[3])};
}

[[noreturn]] void Malformed(std::size_t offset, std::string_view what) {
  throw std::runtime_error("descriptor malformed at offset " + std::to_string(offset) + ": " +
                           std::string(what));
}

// Little-endian reads within one byte range; every read is checked against its end.
struct Reader {
  std::span<const std::uint8_t> bytes;
  std::size_t base = 0;  // offset of bytes[0] in the whole descriptor, for messages

  void Need(std::size_t offset, std::size_t size) const {
    if (offset > bytes.size() || bytes.size() - offset < size)
      Malformed(base + offset, "data runs past its end");
  }
  std::uint16_t U16(std::size_t offset) const {
    Need(offset, 2);
    return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
  }
  std::uint32_t U32(std::size_t offset) const {
    return std::uint32_t{U16(offset)} | std::uint32_t{U16(offset + 2)} << 16;
  }
  // Length byte, then the characters.
  std::string Counted() const {
    Need(0, 1);
    Need(1, bytes[0]);
    return {reinterpret_cast<const char*>(bytes.data() + 1), bytes[0]};
  }
  // Characters up to a zero byte.
  std::string Terminated() const {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == 0) return {reinterpret_cast<const char*>(bytes.data()), i};
    }
    Malformed(base, "string without terminator");
  }
};

}  // namespace

DescriptorProperties ParseDescriptor(std::span<const std::uint8_t> bytes) {
  constexpr std::size_t kHeaderSize = 10;
  constexpr std::size_t kPropertyHeaderSize = 16;
  const Reader whole{bytes};
  if (whole.U16(0) != 1) Malformed(0, "unknown resource format");
  const std::uint32_t count = whole.U32(6);

  DescriptorProperties props;
  bool have_entry_point = false;
  std::size_t offset = kHeaderSize;
  for (std::uint32_t i = 0; i < count; ++i) {
    whole.Need(offset, kPropertyHeaderSize);
    if (whole.U32(offset) != FourCc("8BIM")) Malformed(offset, "unknown vendor code");
    const std::uint32_t key = whole.U32(offset + 4);
    const std::uint32_t length = whole.U32(offset + 12);
    const std::size_t data_offset = offset + kPropertyHeaderSize;
    whole.Need(data_offset, length);
    const Reader data{bytes.subspan(data_offset, length), data_offset};

    switch (key) {
      case FourCc("kind"):
        props.kind = data.U32(0);
        break;
      case FourCc("name"):
        props.name = data.Counted();
        break;
      case FourCc("catg"):
        props.category = data.Counted();
        break;
      case FourCc("eMNA"):
        props.match_name = data.Counted();
        break;
      case FourCc("8664"):
      case FourCc("wx86"):
        props.entry_point = data.Terminated();
        props.code_key = key;
        have_entry_point = true;
        break;
      case FourCc("ePVR"):
        props.pipl_version_major = data.U16(0);
        props.pipl_version_minor = data.U16(2);
        break;
      case FourCc("eSVR"):
        props.spec_version_major = data.U16(0);
        props.spec_version_minor = data.U16(2);
        break;
      case FourCc("eVER"):
        props.version = data.U32(0);
        break;
      case FourCc("eINF"):
        props.info_flags = data.U16(0);
        break;
      case FourCc("eGLO"):
        props.out_flags = data.U32(0);
        break;
      case FourCc("eGL2"):
        props.out_flags2 = data.U32(0);
        break;
      case FourCc("aeFL"):
        props.reserved_info = data.U32(0);
        break;
      default:
        break;  // not used by the host
    }
    // Data is padded to a multiple of 4; the last property may end without its padding.
    const std::size_t padded = (std::size_t{length} + 3) / 4 * 4;
    offset = std::min(data_offset + padded, bytes.size());
  }
  if (props.kind == 0) Malformed(offset, "no kind property");
  if (props.name.empty()) Malformed(offset, "no name property");
  if (!have_entry_point) Malformed(offset, "no entry point property for x86-64 or x86");
  return props;
}

}  // namespace host
