# The Windows build of fxhost renders the effect's frames under Wine exactly as the native build does,
# loading the .aex of the Windows plug-in build (presets windows-x64 / windows-x86) and comparing with
# the native fxhost and plug-in library of the default build.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(bits 64)
  set(variant Zelkra15puzzle_CS5)
  set(plugin_build build-win64)
else()
  set(bits 32)
  set(variant Zelkra15puzzle)
  set(plugin_build build-win32)
endif()
set(ZELKRA_WINDOWS_PLUGIN ${CMAKE_SOURCE_DIR}/${plugin_build}/bin/${variant}.aex
    CACHE FILEPATH "The Windows plug-in library fxhost.exe renders with")
set(ZELKRA_NATIVE_BIN ${CMAKE_SOURCE_DIR}/build/bin
    CACHE PATH "The native build's programs and plug-in libraries, the reference")

if(TARGET fxhost)
  add_test(NAME ${variant}.renders_like_native_under_wine
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/compare_renders.sh ${bits} ${ZELKRA_NATIVE_BIN}
                   ${ZELKRA_NATIVE_BIN}/${variant}.so $<TARGET_FILE:fxhost> ${ZELKRA_WINDOWS_PLUGIN}
                   ${CMAKE_CURRENT_BINARY_DIR}/render_comparison)
  set_tests_properties(${variant}.renders_like_native_under_wine PROPERTIES
    LABELS windows SKIP_RETURN_CODE 77 TIMEOUT 900 ENVIRONMENT ZELKRA_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix)
endif()
