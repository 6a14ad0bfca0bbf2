# What `cmake --install <build> --prefix <dir>` (and `make install`) puts where:
# the programs into bin/, a man page for each into share/man/man1/, and for
# each editor a desktop entry and its icons, so that the desktop's menu lists
# it, and the MIME types of its files, so that a file manager offers it for
# them. The editors are there only when they were built (PMTOOLS_EDITORS).
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
    install(FILES ${PROJECT_SOURCE_DIR}/data/mime/${editor}.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
    list(APPEND PMTOOLS_INSTALLED_EDITORS ${editor})
endforeach()

# The desktop finds the file types, and the programs for each, through caches
# built from share/mime/packages/ and share/applications/. They are rebuilt
# after installing, where the tools are there; a staged install (DESTDIR)
# leaves that to the package's own triggers.
if(PMTOOLS_INSTALLED_EDITORS)
    install(CODE "set(pmtools_datadir \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}\")")
    install(CODE [[
        function(pmtools_update_cache tool dir)
            find_program(program ${tool} NO_CACHE)
            if(program AND "$ENV{DESTDIR}" STREQUAL "")
                message(STATUS "Updating ${dir} (${tool})")
                execute_process(COMMAND "${program}" "${dir}" COMMAND_ERROR_IS_FATAL ANY)
            endif()
        endfunction()
        pmtools_update_cache(update-mime-database "${pmtools_datadir}/mime")
        pmtools_update_cache(update-desktop-database "${pmtools_datadir}/applications")
    ]])
endif()

# Installs into a temporary folder and checks that everything arrived; the
# editors that were built are named, so a build without them passes too.
if(PMTOOLS_TESTS)
    add_test(NAME InstallLayout
             COMMAND ${CMAKE_SOURCE_DIR}/tools/check-install.sh ${CMAKE_BINARY_DIR} ${PMTOOLS_INSTALLED_EDITORS})
    set_tests_properties(InstallLayout PROPERTIES ENVIRONMENT "CMAKE=${CMAKE_COMMAND}")
    # The test installs every program, so building the tests builds them.
    add_dependencies(tests dotpress ${PMTOOLS_INSTALLED_EDITORS})
endif()
