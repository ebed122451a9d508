# Header-only libraries of the build machine for a cross build. Debian packages CLI11 and nlohmann-json
# for the machine only, but both are headers alone and serve any target. The cross compiler must not
# search the machine's /usr/include itself (its C library headers would hide the target's), so each
# library's header folder is linked into a folder of the build that holds nothing else.

# Defines the imported target `target` whose headers are the folder `folder` of /usr/include (the
# folder holding `header`, e.g. CLI/CLI.hpp).
function(zelkra_machine_headers target header)
  find_path(zelkra_${target}_dir ${header} PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT zelkra_${target}_dir)
    message(FATAL_ERROR "${header} not found in /usr/include (scripts/setup.sh installs it)")
  endif()
  string(REGEX REPLACE "/.*" "" folder ${header})
  set(include_dir ${CMAKE_BINARY_DIR}/machine_headers)
  file(MAKE_DIRECTORY ${include_dir})
  file(CREATE_LINK ${zelkra_${target}_dir}/${folder} ${include_dir}/${folder} SYMBOLIC)
  add_library(${target} INTERFACE IMPORTED)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${include_dir})
endfunction()
