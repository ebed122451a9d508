# Checks a built Windows plug-in library (cmake -P, with LIBRARY, OBJDUMP, NM, TABLE and BITS set):
#  - it imports from KERNEL32.dll alone and exports EntryPointFunc alone, undecorated;
#  - its resource "PIPL" 16000 (language 1033) equals the table byte for byte (read with wrestool);
#  - 32-bit: the unwinder's frame registration is linked in (a weak reference left unresolved would
#    make every thrown error code end the process).
execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY} OUTPUT_VARIABLE headers COMMAND_ERROR_IS_FATAL ANY)

string(REGEX MATCHALL "DLL Name: [^\n]*" imports "${headers}")
if(NOT imports STREQUAL "DLL Name: KERNEL32.dll")
  message(FATAL_ERROR "imports: ${imports}; expected KERNEL32.dll alone")
endif()

# Names in the export table follow its "[Ordinal/Name Pointer] Table" heading, one "[ n] name" a line.
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table[^\n]*\n(([ \t]+\\[[ 0-9]+\\][^\n]*\n)*)" table "${headers}")
string(REGEX MATCHALL "\\][ \t]+[^ \t\n]+" exports "${CMAKE_MATCH_1}")
if(NOT exports MATCHES "^\\][ \t]+EntryPointFunc$")
  message(FATAL_ERROR "exports: '${exports}'; expected EntryPointFunc alone")
endif()

find_program(WRESTOOL wrestool REQUIRED)
execute_process(COMMAND ${WRESTOOL} -x --raw --type=PIPL --name=16000 --language=1033 ${LIBRARY}
                OUTPUT_FILE ${LIBRARY}.pipl COMMAND_ERROR_IS_FATAL ANY)
file(READ ${LIBRARY}.pipl resource HEX)
file(REMOVE ${LIBRARY}.pipl)
file(READ ${TABLE} table_text)
string(REGEX REPLACE "#[^\n]*" "" table_text "${table_text}")
string(REGEX REPLACE "[ \t\r\n]" "" expected "${table_text}")
string(TOLOWER "${expected}" expected)
if(NOT resource STREQUAL expected)
  message(FATAL_ERROR "PIPL resource differs from ${TABLE}:\n  got      ${resource}\n  expected ${expected}")
endif()

if(BITS EQUAL 32)
  execute_process(COMMAND ${NM} ${LIBRARY} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
  if(NOT symbols MATCHES "[0-9a-f]+ T ___register_frame_info\n")
    message(FATAL_ERROR "the unwinder's frame registration (__register_frame_info) is not linked in")
  endif()
endif()
message(STATUS "${LIBRARY}: imports KERNEL32.dll alone, exports EntryPointFunc alone, descriptor as ${TABLE}")
