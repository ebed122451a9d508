// A loaded plug-in library, owned for as long as the Module lives.
#pragma once

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "pf_host_interface.h"

namespace host {

// A library that cannot be loaded, or that lacks the entry point. what() says which and why.
class ModuleError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Module {
 public:
  // Loads the library at `path` and finds its EntryPointFunc. Throws ModuleError on failure.
  static Module open(const std::filesystem::path& path);

  PF_EntryPointFunc entry_point() const { return entry_point_; }
  const std::filesystem::path& path() const { return path_; }
  // The system's handle of the library (an HMODULE on Windows, a dlopen handle elsewhere).
  void* native_handle() const { return library_.get(); }

 private:
  struct Closer {
    void operator()(void* library) const;
  };
  Module(std::filesystem::path path, std::unique_ptr<void, Closer> library, PF_EntryPointFunc entry_point)
      : path_(std::move(path)), library_(std::move(library)), entry_point_(entry_point) {}

  std::filesystem::path path_;
  std::unique_ptr<void, Closer> library_;
  PF_EntryPointFunc entry_point_;
};

// The file name of a plug-in library on this platform, e.g. "Zelkra15puzzle_CS5.so".
std::string plugin_file_name(const std::string& base_name);

// The folder of the running program (where the build puts the plug-in libraries too).
std::filesystem::path executable_dir();

}  // namespace host
