# Every compile through Debian's ccache where it is installed (a test
# dependency; the build works without it). Paths under the tree are hashed
# relative to it, so that another clone, or the release's copies of the tree,
# find what this one compiled. TINTMEND_CCACHE=OFF compiles everything afresh,
# as the second copy of the release check does.
option(TINTMEND_CCACHE "Compile through ccache where it is installed" ON)
if(TINTMEND_CCACHE)
    find_program(TINTMEND_CCACHE_PROGRAM ccache)
    if(TINTMEND_CCACHE_PROGRAM)
        set(launcher ${CMAKE_COMMAND} -E env CCACHE_BASEDIR=${PROJECT_SOURCE_DIR}
            ${TINTMEND_CCACHE_PROGRAM})
        set(CMAKE_C_COMPILER_LAUNCHER ${launcher})
        set(CMAKE_CXX_COMPILER_LAUNCHER ${launcher})
    endif()
endif()
