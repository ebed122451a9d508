#include "host/module.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

namespace host {

namespace {

constexpr const char* kEntryPointName = "EntryPointFunc";

#ifdef _WIN32
std::string last_error_text() {
  char text[512] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, GetLastError(), 0, text,
                 sizeof(text), nullptr);
  return text;
}
void* open_library(const std::filesystem::path& path) {
  return LoadLibraryW(path.c_str());
}
void* find_symbol(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}
#else
std::string last_error_text() {
  const char* text = dlerror();
  return text != nullptr ? text : "unknown error";
}
void* open_library(const std::filesystem::path& path) {
  return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}
void* find_symbol(void* library, const char* name) {
  return dlsym(library, name);
}
#endif

}  // namespace

void Module::Closer::operator()(void* library) const {
#ifdef _WIN32
  FreeLibrary(static_cast<HMODULE>(library));
#else
  dlclose(library);
#endif
}

Module Module::open(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    throw ModuleError("plug-in library not found: " + path.string());
  }
  // A bare file name would send the system loader through its search path (and possibly to another
  // library of that name than the one checked above): it names a file in the current folder.
  const std::filesystem::path file = path.has_parent_path() ? path : std::filesystem::path(".") / path;
  std::unique_ptr<void, Closer> library(open_library(file));
  if (!library) throw ModuleError("cannot load plug-in library " + path.string() + ": " + last_error_text());
  void* symbol = find_symbol(library.get(), kEntryPointName);
  if (symbol == nullptr) {
    throw ModuleError("plug-in library " + path.string() + " has no " + kEntryPointName);
  }
  return Module(path, std::move(library), reinterpret_cast<PF_EntryPointFunc>(symbol));
}

std::string plugin_file_name(const std::string& base_name) {
#ifdef _WIN32
  return base_name + ".aex";
#else
  return base_name + ".so";
#endif
}

std::filesystem::path executable_dir() {
#ifdef _WIN32
  wchar_t buffer[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  return std::filesystem::path(buffer).parent_path();
#else
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path() : exe.parent_path();
#endif
}

}  // namespace host
