# What `cmake --install` puts under the prefix: from a Linux build the
# companion in bin/ and its manual page in share/man/man1/, from the web build
# the page in share/tintmend/. `make install` installs both builds.
include(GNUInstallDirs)
if(NOT CMAKE_CROSSCOMPILING)
    install(TARGETS tintmend-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${PROJECT_SOURCE_DIR}/docs/tintmend-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
if(EMSCRIPTEN)
    install(FILES ${CMAKE_BINARY_DIR}/tintmend.html DESTINATION ${CMAKE_INSTALL_DATADIR}/tintmend)
endif()
