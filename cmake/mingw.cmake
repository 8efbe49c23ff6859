# Cross-building for Windows with MinGW-w64; the including toolchain file sets
# CMAKE_SYSTEM_PROCESSOR and may set mingw_threads. The posix thread model
# (the default) gives the C++ library its std::mutex, which GoogleTest needs,
# and links winpthreads into every program; the release, which has no tests,
# takes the win32 thread model and leaves winpthreads out. Static linking
# keeps the C++ library's DLL out of the programs.
set(CMAKE_SYSTEM_NAME Windows)
set(triple ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
if(NOT DEFINED mingw_threads)
    set(mingw_threads posix)
endif()
set(CMAKE_C_COMPILER ${triple}-gcc-${mingw_threads})
set(CMAKE_CXX_COMPILER ${triple}-g++-${mingw_threads})
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
