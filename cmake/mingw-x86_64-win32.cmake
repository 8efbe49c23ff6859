# The 64-bit release: the win32 thread model, as the 32-bit release. Its
# programs are run under Wine by the end-to-end test and the comparisons.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(mingw_threads win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run)
