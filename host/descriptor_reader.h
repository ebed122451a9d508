// Reads a plug-in's descriptor bytes without calling the plug-in: from a named section of a Linux
// shared library file, or from the "PIPL" resource of a loaded Windows library.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace host {

class Module;

// The descriptor bytes of a loaded plug-in library, read without calling it: the "PIPL" resource
// through the Windows resource functions, or the descriptor section of a Linux library file. Throws
// std::runtime_error when the library carries none.
std::vector<std::uint8_t> ReadDescriptor(const Module& module);

#ifdef _WIN32
// Bytes of resource type "PIPL", id 16000, language 1033 of a loaded library (an HMODULE).
// Throws std::runtime_error when the library has no such resource.
std::vector<std::uint8_t> ReadDescriptorResource(void* module);
#else
// Bytes of the section `name` of a 64-bit little-endian ELF file. Throws std::runtime_error when the
// file cannot be read, is not such a file, is malformed or has no such section.
std::vector<std::uint8_t> ReadElfSection(const std::filesystem::path& file, std::string_view name);

// The same over a file's bytes already read; `source` names the file in messages.
std::vector<std::uint8_t> ElfSection(std::span<const std::uint8_t> image, std::string_view name,
                                     const std::string& source);

// The descriptor's section of a plug-in library built for Linux.
inline constexpr std::string_view kDescriptorSection = ".pipl";
#endif

}  // namespace host
