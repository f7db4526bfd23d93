# Checks the VST3 module with objdump -p: it exports exactly GetPluginFactory, InitDll and
# ExitDll and imports from system DLLs only.
# Usage: cmake -DOBJDUMP=<objdump> -DMODULE=<file> -P CheckModuleInterface.cmake
cmake_minimum_required(VERSION 3.25)

set(expected_exports ExitDll GetPluginFactory InitDll)
set(system_dlls kernel32.dll msvcrt.dll user32.dll gdi32.dll comdlg32.dll shell32.dll wininet.dll
    comctl32.dll advapi32.dll ole32.dll)

execute_process(COMMAND ${OBJDUMP} -p ${MODULE} OUTPUT_VARIABLE dump RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${MODULE}")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" import_lines "${dump}")
if(NOT import_lines)
  message(FATAL_ERROR "no import table found in ${MODULE}")
endif()
foreach(line IN LISTS import_lines)
  string(REGEX REPLACE "DLL Name: *" "" dll "${line}")
  string(TOLOWER "${dll}" dll)
  if(NOT dll IN_LIST system_dlls)
    message(FATAL_ERROR "${MODULE} imports ${dll}, which is not a system DLL")
  endif()
endforeach()

# The name table lists one "[ n] name" line per exported name.
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n(([ \t]+\\[ *[0-9]+\\] [^\n]+\n)*)" export_table "${dump}")
string(REGEX REPLACE "[ \t]+\\[ *[0-9]+\\] ([^\n]+)\n" "\\1;" exports "${CMAKE_MATCH_1}")
list(REMOVE_ITEM exports "")
list(SORT exports)
if(NOT exports STREQUAL expected_exports)
  message(FATAL_ERROR "${MODULE} exports '${exports}', expected '${expected_exports}'")
endif()
message(STATUS "${MODULE}: exports ${exports}; imports only system DLLs")
