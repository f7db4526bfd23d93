# Cross build of the Windows deliverables with Debian's mingw-w64 (posix threads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZV_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZV_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZV_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ZV_MINGW_PREFIX}-windres)
set(CMAKE_OBJDUMP ${ZV_MINGW_PREFIX}-objdump)

# libpng is cross-built into build/windows-deps by tools/setup.sh.
set(CMAKE_FIND_ROOT_PATH /usr/${ZV_MINGW_PREFIX} ${CMAKE_CURRENT_LIST_DIR}/../build/windows-deps)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The DLLs and test programs must need only system DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
