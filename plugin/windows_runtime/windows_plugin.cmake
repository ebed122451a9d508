# What turns a plug-in library target into a Windows effect plug-in (.aex) built with MinGW-w64:
#  - no C runtime: linked with -nostdlib against the compiler's static exception support (libsupc++,
#    libgcc_eh, libgcc) and KERNEL32 alone; the few C functions and the start-up code that support
#    needs are in this folder;
#  - crtbegin.o and crtend.o of the compiler bracket the link: on 32-bit x86 the unwinder's frame
#    tables are found through them, and registered by the constructor that crtend.o adds;
#  - EntryPointFunc, undecorated, is the only export (exports.def);
#  - the descriptor is the resource "PIPL" 16000, its bytes taken from the compiled ".pipl" section.

# target: a SHARED library of the plug-in's sources; descriptor_object: an OBJECT library holding the
# compiled descriptor of the same variant.
function(zelkra_windows_plugin target descriptor_object)
  set(zelkra_windows_runtime_dir ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  set(zelkra_resources_dir ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../resources)

  # Size of the descriptor, as its header declares it.
  file(STRINGS ${zelkra_resources_dir}/descriptor.h size_line REGEX "kSize = [0-9]+;")
  string(REGEX MATCH "[0-9]+" zelkra_descriptor_size "${size_line}")

  foreach(file crtbegin crtend)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${file}.o
                    OUTPUT_VARIABLE zelkra_${file} OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  endforeach()

  set_target_properties(${target} PROPERTIES SUFFIX ".aex")

  set(runtime_sources ${zelkra_windows_runtime_dir}/startup.cpp ${zelkra_windows_runtime_dir}/c_functions.cpp)
  target_sources(${target} PRIVATE ${runtime_sources} ${zelkra_resources_dir}/exports.def)
  # The C functions must not be compiled back into calls to themselves.
  set_source_files_properties(${zelkra_windows_runtime_dir}/c_functions.cpp TARGET_DIRECTORY ${target}
                              PROPERTIES COMPILE_OPTIONS "-fno-builtin;-fno-tree-loop-distribute-patterns")

  target_link_options(${target} PRIVATE -nostdlib ${zelkra_crtbegin})
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    # crtbegin.o refers to the frame registration weakly, which would not pull it from libgcc_eh.
    target_link_options(${target} PRIVATE -Wl,-u,___register_frame_info -Wl,-u,___deregister_frame_info)
  endif()
  target_link_libraries(${target} PRIVATE -Wl,--start-group supc++ gcc_eh gcc kernel32 -Wl,--end-group
                        ${zelkra_crtend})

  set(section ${CMAKE_CURRENT_BINARY_DIR}/${target}_descriptor.bin)
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}_descriptor.rc)
  add_custom_command(
    OUTPUT ${script}
    COMMAND ${CMAKE_OBJCOPY} -O binary -j .pipl $<TARGET_OBJECTS:${descriptor_object}> ${section}
    COMMAND ${CMAKE_COMMAND} -DSECTION_FILE=${section} -DSIZE=${zelkra_descriptor_size} -DOUTPUT=${script}
            -P ${zelkra_resources_dir}/descriptor_rc.cmake
    DEPENDS $<TARGET_OBJECTS:${descriptor_object}> ${zelkra_resources_dir}/descriptor_rc.cmake
    COMMENT "Descriptor resource of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${script})
endfunction()
