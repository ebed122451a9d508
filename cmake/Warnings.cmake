# Warnings on for every target of the project; ZELKRA_WERROR turns them into errors (the test
# script and CI set it).
option(ZELKRA_WERROR "Treat warnings as errors" OFF)

function(zelkra_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(ZELKRA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
