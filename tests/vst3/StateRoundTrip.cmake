# A project saved and reopened through our strict host: the first run changes parameters,
# selects a program, switches oversampling on and bypass on, and saves the state; the second
# loads it. Both print every controller value and the latency the host was told: they must agree.
foreach(var HOST MODULE WORK)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} is not set")
    endif()
endforeach()
file(MAKE_DIRECTORY ${WORK})
set(state ${WORK}/roundtrip.vst3state)
set(common --strict --brief --seconds 0.05 --block 256)
execute_process(COMMAND ${EMULATOR} ${HOST} ${MODULE} ${common} --program 7 --param 61=1 --param 24=0.8
                        --param 3=0.25 --param 46=1 --param 47=0.61 --param bpas=1 --save-state ${state}
                RESULT_VARIABLE saved OUTPUT_VARIABLE first ERROR_VARIABLE first)
if(NOT saved EQUAL 0)
    message(FATAL_ERROR "the saving run failed:\n${first}")
endif()
execute_process(COMMAND ${EMULATOR} ${HOST} ${MODULE} ${common} --load-state ${state}
                RESULT_VARIABLE loaded OUTPUT_VARIABLE second ERROR_VARIABLE second)
if(NOT loaded EQUAL 0)
    message(FATAL_ERROR "the reopening run failed:\n${second}")
endif()
foreach(line latency values)
    string(REGEX MATCH "${line}:[^\n]*" before "${first}")
    string(REGEX MATCH "${line}:[^\n]*" after "${second}")
    if(before STREQUAL "" OR NOT before STREQUAL after)
        message(FATAL_ERROR "reopened, the ${line} differ:\nsaved:    ${before}\nreopened: ${after}")
    endif()
endforeach()
string(REGEX MATCH "latency: [1-9]" oversampled "${second}")
if(oversampled STREQUAL "")
    message(FATAL_ERROR "reopened with oversampling on, the host was told no latency:\n${second}")
endif()
message(STATUS "reopened as saved")
