# Cross-building the 64-bit Windows programs on Debian with MinGW-w64 (the posix thread
# model, for std::thread). FERROLIN_WINDOWS_PREFIX names the libraries built by
# scripts/windows-deps.sh; the tests run under Wine through scripts/wine-run.sh.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_AR x86_64-w64-mingw32-ar CACHE FILEPATH "")
set(CMAKE_RANLIB x86_64-w64-mingw32-ranlib CACHE FILEPATH "")

if(DEFINED ENV{FERROLIN_WINDOWS_PREFIX} AND NOT FERROLIN_WINDOWS_PREFIX)
  set(FERROLIN_WINDOWS_PREFIX $ENV{FERROLIN_WINDOWS_PREFIX})
endif()
set(FERROLIN_WINDOWS_PREFIX "${FERROLIN_WINDOWS_PREFIX}" CACHE PATH "The Windows libraries")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES FERROLIN_WINDOWS_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${FERROLIN_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Nothing but system DLLs imported: the compiler's runtime and threads linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

get_filename_component(_ferrolin_root ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${_ferrolin_root}/scripts/wine-run.sh)
