# What `cmake --install <build> --prefix <dir>` (and `make install`) puts where:
# the programs into bin/, a man page for each into share/man/man1/, and for
# each editor a desktop entry and its icons, so that the desktop's menu lists
# it. The editors are there only when they were built (PMTOOLS_EDITORS).
include(GNUInstallDirs)

install(TARGETS dotpress RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/man/dotpress.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(PMTOOLS_INSTALLED_EDITORS "")
foreach(editor pixolin tilora)
    if(NOT TARGET ${editor})
        continue()
    endif()
    install(TARGETS ${editor} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${PROJECT_SOURCE_DIR}/man/${editor}.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${PROJECT_SOURCE_DIR}/data/${editor}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${PROJECT_SOURCE_DIR}/data/icons/${editor}.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    install(FILES ${PROJECT_SOURCE_DIR}/data/icons/${editor}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps)
    list(APPEND PMTOOLS_INSTALLED_EDITORS ${editor})
endforeach()

# Installs into a temporary folder and checks that everything arrived; the
# editors that were built are named, so a build without them passes too.
add_test(NAME InstallLayout
         COMMAND ${CMAKE_SOURCE_DIR}/tools/check-install.sh ${CMAKE_BINARY_DIR} ${PMTOOLS_INSTALLED_EDITORS})
set_tests_properties(InstallLayout PROPERTIES ENVIRONMENT "CMAKE=${CMAKE_COMMAND}")
