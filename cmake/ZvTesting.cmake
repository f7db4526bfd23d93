# Test, benchmark and fuzzer helpers shared by every subsystem folder.
include(GoogleTest)

if(NOT ZV_FUZZ AND NOT TARGET GTest::gtest_main)
  if(CMAKE_CROSSCOMPILING)
    # Debian ships the GoogleTest sources; the Windows build compiles them itself.
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    # The googletest project defines the GTest:: aliases itself.
  else()
    find_package(GTest REQUIRED)
  endif()
endif()

# Time limits of ctest entries in seconds, so one hang costs at most that: a native or
# ThreadSanitizer entry is one test case, a Wine entry a whole program. Each is a few times what
# the slowest entry of its kind took on a loaded machine; programs with long renders in their
# cases raise their own limit (ZV_LONG_CASE_TIMEOUT).
set(ZV_CASE_TIMEOUT 120)
set(ZV_LONG_CASE_TIMEOUT 300)
set(ZV_WINE_PROGRAM_TIMEOUT 120)
set(ZV_FUZZ_SMOKE_SECONDS 20)
math(EXPR ZV_FUZZ_TIMEOUT "${ZV_FUZZ_SMOKE_SECONDS} + 40")

set(ZV_ASAN_OPTIONS detect_leaks=1:abort_on_error=1:strict_string_checks=1)
set(ZV_UBSAN_OPTIONS print_stacktrace=1:halt_on_error=1)
set(ZV_TSAN_OPTIONS halt_on_error=1:second_deadlock_stack=1)

# The environment of tests that run a program of ours. The cases of a GoogleTest program cannot
# be given more than one variable (test discovery flattens the list), so those programs have
# the sanitizer options built in (tests/support/SanitizerOptions.cpp).
set(ZV_TEST_ENVIRONMENT GTEST_COLOR=no ASAN_OPTIONS=${ZV_ASAN_OPTIONS} UBSAN_OPTIONS=${ZV_UBSAN_OPTIONS})

# zv_add_test(<name> [TSAN] [CASE_TIMEOUT <s>] [WINE_SHARDS <n>] SOURCES ... LIBS ...): a
# GoogleTest program. Natively every test case is one ctest test; in the Windows build the whole
# program is one test run under Wine, or n tests that each run every n-th case (GoogleTest's
# sharding) where the whole would not fit in one Wine entry's time limit. TSAN marks a program of
# thread tests: the ThreadSanitizer build builds and runs only those. CASE_TIMEOUT raises the
# time limit of each of its cases (native, ThreadSanitizer).
# Parameterised cases are named by their index: a printed struct would put its bytes, pointers
# included, into the test's name.
function(zv_add_test name)
  cmake_parse_arguments(ARG "TSAN" "CASE_TIMEOUT;WINE_SHARDS" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_CASE_TIMEOUT)
    set(ARG_CASE_TIMEOUT ${ZV_CASE_TIMEOUT})
  endif()
  if(ZV_TSAN AND NOT ARG_TSAN)
    # Still defined, so folders may add properties to it, but neither built nor run.
    add_executable(${name} EXCLUDE_FROM_ALL ${ARG_SOURCES})
  else()
    add_executable(${name} ${ARG_SOURCES})
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} zv_test_support GTest::gmock GTest::gtest_main)
  if(TARGET zv_sanitizer_options)
    target_link_libraries(${name} PRIVATE zv_sanitizer_options)
  endif()
  if(ZV_TSAN AND NOT ARG_TSAN)
    return()
  elseif(ZV_TSAN)
    gtest_discover_tests(${name} TEST_PREFIX "tsan.${name}." DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
                         PROPERTIES LABELS tsan TIMEOUT ${ARG_CASE_TIMEOUT})
  elseif(CMAKE_CROSSCOMPILING AND ARG_WINE_SHARDS)
    math(EXPR last "${ARG_WINE_SHARDS} - 1")
    foreach(shard RANGE ${last})
      add_test(NAME win.${name}.shard${shard} COMMAND ${name})
      set_tests_properties(win.${name}.shard${shard} PROPERTIES
                           ENVIRONMENT "${ZV_TEST_ENVIRONMENT};GTEST_TOTAL_SHARDS=${ARG_WINE_SHARDS};GTEST_SHARD_INDEX=${shard}"
                           LABELS wine TIMEOUT ${ZV_WINE_PROGRAM_TIMEOUT})
    endforeach()
  elseif(CMAKE_CROSSCOMPILING)
    add_test(NAME win.${name} COMMAND ${name})
    set_tests_properties(win.${name} PROPERTIES ENVIRONMENT "${ZV_TEST_ENVIRONMENT}" LABELS wine
                         TIMEOUT ${ZV_WINE_PROGRAM_TIMEOUT})
  else()
    gtest_discover_tests(${name} TEST_PREFIX "${name}." DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
                         PROPERTIES LABELS native TIMEOUT ${ARG_CASE_TIMEOUT})
  endif()
endfunction()

# zv_add_benchmark(<name> SOURCES ... LIBS ...): a Google Benchmark program (Release build only).
function(zv_add_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark_main)
endfunction()

# zv_add_fuzzer(<name> SOURCES ... LIBS ... [CORPUS <dir>] [MAX_LEN <bytes>]): a libFuzzer
# target (clang build only) with a short, deterministic smoke run registered as a test. With a
# CORPUS, the run starts from its seeds (new inputs go to a folder of the build, never into the
# seeds) and may grow inputs to MAX_LEN at once, so whole state blocks get generated.
function(zv_add_fuzzer name)
  cmake_parse_arguments(ARG "" "CORPUS;MAX_LEN" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set(corpus_args)
  if(ARG_CORPUS)
    set(found ${CMAKE_CURRENT_BINARY_DIR}/${name}-found)
    file(MAKE_DIRECTORY ${found})
    set(corpus_args -len_control=0 -max_len=${ARG_MAX_LEN} ${found} ${ARG_CORPUS})
  endif()
  add_test(NAME fuzz.${name}
           COMMAND ${name} -seed=1 -runs=200000 -max_total_time=${ZV_FUZZ_SMOKE_SECONDS} ${corpus_args})
  set_tests_properties(fuzz.${name} PROPERTIES ENVIRONMENT "${ZV_TEST_ENVIRONMENT}" LABELS fuzz
                                               TIMEOUT ${ZV_FUZZ_TIMEOUT})
endfunction()
