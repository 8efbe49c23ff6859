# The shipped 32-bit program. This machine's kernel cannot run 32-bit code, so
# it is built, not run.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
