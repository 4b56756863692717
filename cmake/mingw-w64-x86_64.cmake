# Cross build for 64-bit Windows with Debian's MinGW-w64 (the posix thread
# variant, which std::thread and std::mutex need). The programs are linked
# statically so that they run without the MinGW DLLs, under wine too.
#
#   cmake -S . -B build-win -G Ninja \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DVEXILOR_WITH_QT=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(vexilor_mingw_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${vexilor_mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${vexilor_mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${vexilor_mingw_triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${vexilor_mingw_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test executables run under wine, also when ctest lists their cases.
find_program(VEXILOR_WINE NAMES wine64 wine PATHS /usr/lib/wine /usr/bin NO_CMAKE_FIND_ROOT_PATH)
if(VEXILOR_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VEXILOR_WINE})
endif()
