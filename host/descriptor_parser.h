// Decodes a plug-in descriptor (plug-in property list): what the host needs to know before it calls
// the plug-in. Properties the host does not use are skipped.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace host {

struct DescriptorProperties {
  std::uint32_t kind = 0;      // four-character code; 'eFKT' for an effect
  std::string name;            // display name
  std::string category;        // display category
  std::string match_name;      // unique match name
  std::string entry_point;     // exported function to call
  std::uint32_t code_key = 0;  // key of the entry point property: '8664' (x86-64) or 'wx86' (x86)
  std::uint16_t pipl_version_major = 0;
  std::uint16_t pipl_version_minor = 0;
  std::uint16_t spec_version_major = 0;  // host interface generation
  std::uint16_t spec_version_minor = 0;
  std::uint32_t version = 0;  // the effect's version word
  std::uint16_t info_flags = 0;
  std::uint32_t out_flags = 0;
  std::uint32_t out_flags2 = 0;
  std::uint32_t reserved_info = 0;
};

// Throws std::runtime_error, naming the offset, when the bytes are not a well-formed property list or
// lack the kind, name or entry point.
DescriptorProperties ParseDescriptor(std::span<const std::uint8_t> bytes);

}  // namespace host
