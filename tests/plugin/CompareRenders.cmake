# Renders the same settings with the native build and, under Wine, with the Windows build,
# and fails unless they agree.
# Usage: cmake -DNATIVE=<native plugin_render> -DWINDOWS=<plugin_render.exe> -DEMULATOR=<wine runner>
#              -DWORK=<folder> -P CompareRenders.cmake
cmake_minimum_required(VERSION 3.25)

if(NOT EXISTS "${NATIVE}")
  message("skipped: no native render program at ${NATIVE}")
  return()
endif()
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${NATIVE}" --write native-render.bin WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the native render failed")
endif()
execute_process(COMMAND "${EMULATOR}" "${WINDOWS}" --compare native-render.bin WORKING_DIRECTORY "${WORK}"
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the Windows render differs from the native one")
endif()
