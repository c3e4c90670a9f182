# Cross-build for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64):
#   cmake -S . -B build-mingw -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# The top CMakeLists then builds only the link, its tool and its unit tests,
# or, given the mingw Qt of scripts/windows-qt.sh (WLT_WINDOWS_QT_DIR), the
# window and the CLI as well.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(WLT_MINGW_TRIPLET x86_64-w64-mingw32)
# The posix thread model: GoogleTest needs std::thread and std::mutex, which
# the win32 model of Debian's mingw-w64 12 lacks.
find_program(CMAKE_C_COMPILER NAMES ${WLT_MINGW_TRIPLET}-gcc-posix ${WLT_MINGW_TRIPLET}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${WLT_MINGW_TRIPLET}-g++-posix ${WLT_MINGW_TRIPLET}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${WLT_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${WLT_MINGW_TRIPLET})
# The mingw Qt of scripts/windows-qt.sh, outside the compiler's root.
if(WLT_WINDOWS_QT_DIR)
  list(APPEND CMAKE_FIND_ROOT_PATH ${WLT_WINDOWS_QT_DIR})
  list(APPEND CMAKE_PREFIX_PATH ${WLT_WINDOWS_QT_DIR})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static runtime (libgcc, libstdc++, winpthread): the .exe files run on a bare
# Windows or under wine without DLLs beside them. Qt's DLLs and the programs
# on them share one runtime instead (its DLLs installed beside them), so
# scripts/windows-qt.sh and the build on that Qt pass WLT_MINGW_STATIC_RUNTIME=OFF.
if(NOT DEFINED WLT_MINGW_STATIC_RUNTIME OR WLT_MINGW_STATIC_RUNTIME)
  set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
endif()
