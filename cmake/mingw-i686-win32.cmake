# The shipped 32-bit program as released: the win32 thread model, so no
# winpthreads; built, not run, as this machine cannot run 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(mingw_threads win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
