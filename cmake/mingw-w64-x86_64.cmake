# Cross-compiling for 64-bit Windows with Debian's MinGW-w64, POSIX threads
# flavour (std::thread and std::mutex need it). The cross-built libzip,
# pugixml and GoogleTest are looked for in BRISKEL_WINDOWS_DEPS
# (scripts/windows-deps), zlib in the MinGW-w64 system folder.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Handed on to try_compile projects, which see only what is listed here.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES BRISKEL_WINDOWS_DEPS)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${BRISKEL_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static libraries only: one executable that needs no DLL beyond Windows' own.
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
# MinGW-w64's zlib comes as libz.a and as the import library libz.dll.a, which
# also ends with .a: name the static one.
set(ZLIB_LIBRARY /usr/x86_64-w64-mingw32/lib/libz.a CACHE FILEPATH "The static zlib")
set(ZLIB_INCLUDE_DIR /usr/x86_64-w64-mingw32/include CACHE PATH "zlib's headers")
