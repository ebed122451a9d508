#pragma once
// Finding and running another program (ffmpeg for movies) without a shell, so no file name is ever
// read as shell syntax.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fxhost {

// The executable `name` in the folders of `search_path` (PATH's syntax), or nothing.
std::optional<std::filesystem::path> FindProgram(std::string_view name, std::string_view search_path);
// The same in the folders of the PATH environment variable.
std::optional<std::filesystem::path> FindProgram(std::string_view name);

// Runs `arguments[0]` with the rest as its arguments and waits for it; the exit status, or -1 when it
// could not be started or did not exit normally. While it runs, `stop` (when given) is asked every few
// milliseconds; once it answers true the program is ended (SIGTERM) and -1 returned after it has exited.
int RunProgram(const std::vector<std::string>& arguments, bool (*stop)() = nullptr);

}  // namespace fxhost
