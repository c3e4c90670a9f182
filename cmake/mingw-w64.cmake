# Cross-build for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64):
#   cmake -S . -B build-mingw -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# The top CMakeLists then builds only the link, its tool and its unit tests.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(WLT_MINGW_TRIPLET x86_64-w64-mingw32)
# The posix thread model: GoogleTest needs std::thread and std::mutex, which
# the win32 model of Debian's mingw-w64 12 lacks.
find_program(CMAKE_C_COMPILER NAMES ${WLT_MINGW_TRIPLET}-gcc-posix ${WLT_MINGW_TRIPLET}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${WLT_MINGW_TRIPLET}-g++-posix ${WLT_MINGW_TRIPLET}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${WLT_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${WLT_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static runtime (libgcc, libstdc++, winpthread): the .exe files run on a bare
# Windows or under wine without DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
