#pragma once
// The folders of the files a run writes (image frames, a movie, the report): checked before the first
// frame renders, made where they are missing. Every output goes through these two, so an image
// sequence, a movie and a report in a folder that does not exist yet are treated alike.

#include <filesystem>
#include <span>
#include <string_view>

namespace fxhost {

// Checks that `file` can be written in a folder that exists or can be made: the folder exists and takes
// new files, or its nearest existing ancestor is a folder that does. Throws InputError starting with
// `what` (e.g. `--output "out/f.png"`) otherwise. Makes nothing.
void CheckFolderCanBeMade(const std::filesystem::path& file, std::string_view what);

// Makes the folder of each of `files` where it does not exist yet (with its missing ancestors). Throws
// std::runtime_error naming the folder that cannot be made.
void MakeFoldersFor(std::span<const std::filesystem::path> files);

}  // namespace fxhost
