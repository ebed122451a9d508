#include "fxhost/commands/descriptor_json.h"

#include <cstdio>
#include <stdexcept>
#include <string>

#include "host/descriptor_parser.h"
#include "host/descriptor_reader.h"

namespace fxhost {
namespace {

std::string FourCharCode(std::uint32_t code) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) text += static_cast<char>((code >> shift) & 0xFF);
  return text;
}

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08x", value);
  return text;
}

std::string Version(unsigned major, unsigned minor) {
  return std::to_string(major) + "." + std::to_string(minor);
}

}  // namespace

nlohmann::json DescriptorJson(const host::Module& plugin) {
  std::vector<std::uint8_t> bytes;
  try {
    bytes = host::ReadDescriptor(plugin);
  } catch (const std::runtime_error&) {
    return nlohmann::json::object();  // no descriptor in this library
  }
  try {
    const host::DescriptorProperties d = host::ParseDescriptor(bytes);
    return {{"kind", FourCharCode(d.kind)},
            {"name", d.name},
            {"category", d.category},
            {"match_name", d.match_name},
            {"entry_point", d.entry_point},
            {"code", FourCharCode(d.code_key)},
            {"pipl_version", Version(d.pipl_version_major, d.pipl_version_minor)},
            {"interface_version", Version(d.spec_version_major, d.spec_version_minor)},
            {"version", d.version},
            {"info_flags", Hex(d.info_flags)},
            {"out_flags", Hex(d.out_flags)},
            {"out_flags2", Hex(d.out_flags2)}};
  } catch (const std::runtime_error& e) {
    return {{"error", e.what()}};
  }
}

}  // namespace fxhost
