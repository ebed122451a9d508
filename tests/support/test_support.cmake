# Shared by the test groups (included by tests/CMakeLists.txt): the plug-in variants under test,
# a fixture that runs one, and zelkra_add_test().
add_library(test_support INTERFACE)
target_include_directories(test_support INTERFACE ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_SOURCE_DIR}/plugin)
target_link_libraries(test_support INTERFACE zelkra_host GTest::gtest GTest::gtest_main GTest::gmock)
target_compile_definitions(test_support INTERFACE
  ZELKRA_PLUGIN_CS5_PATH="$<TARGET_FILE:Zelkra15puzzle_CS5>"
  ZELKRA_PLUGIN_32_PATH="$<TARGET_FILE:Zelkra15puzzle>")

# A test executable of one group: zelkra_add_test(name source...)
function(zelkra_add_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE test_support)
  add_dependencies(${name} Zelkra15puzzle_CS5 Zelkra15puzzle)
  zelkra_warnings(${name})
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
endfunction()
