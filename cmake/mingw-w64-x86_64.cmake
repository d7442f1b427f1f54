# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (POSIX-threads variant,
# which is the one that has std::thread and std::mutex).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_PREFIX}-windres)
set(CMAKE_DLLTOOL ${MINGW_PREFIX}-dlltool)
set(CMAKE_NM ${MINGW_PREFIX}-nm)
set(CMAKE_OBJCOPY ${MINGW_PREFIX}-objcopy)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Test programs run under Wine.
# Debian's /usr/bin/wine is a wrapper that complains about a missing 32-bit
# Wine; the 64-bit loader is all these programs need.
find_program(WINE_PROGRAM NAMES wine64 wine PATHS /usr/lib/wine /usr/lib/wine-stable NO_DEFAULT_PATH)
find_program(WINE_PROGRAM NAMES wine64 wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_PROGRAM})
