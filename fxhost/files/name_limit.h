#pragma once
// The file system's limit on the length of one name in a path (NAME_MAX, 255 bytes on the common file
// systems): final names longer than that are refused before rendering, and temporary names are kept
// within it.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace fxhost {

// The longest name, in bytes, the file system holding `folder` takes: the system's answer for `folder`
// or its nearest existing ancestor, 255 when it cannot tell.
std::size_t NameMax(const std::filesystem::path& folder);

// Throws InputError "OPTION "PATH": the name "NAME" is N bytes, more than the file system takes (LIMIT)"
// when a name in `path` (the file's or a folder's) is longer than NameMax.
void CheckNameLengths(const std::filesystem::path& path, std::string_view option);

// The first at most `bytes` bytes of `name`, never cutting a UTF-8 character in two.
std::string ShortenedName(std::string_view name, std::size_t bytes);

}  // namespace fxhost
