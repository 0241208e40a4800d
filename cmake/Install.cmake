# Installation and packaging. `cmake --install` lays out a self-contained program folder,
# PREFIX/lib/lorvane, holding the executables beside the bundled program folder (the programs
# find their tables through the real path of the running executable), with the commands in
# PREFIX/bin as relative links into it, the desktop entry, the icons and the man pages. CPack
# builds the Debian package "lorvane" from the same rules.

set(LORVANE_INSTALL_PROGRAM_DIR lib/lorvane)
set(LORVANE_INSTALL_BIN_DIR bin)

# Only the programs this build has: the desktop program and the script runner are optional.
set(LORVANE_INSTALLED_PROGRAMS "")
foreach(program lorvane lorvane-cli lorvane-vbs)
    if(TARGET ${program})
        list(APPEND LORVANE_INSTALLED_PROGRAMS ${program})
    endif()
endforeach()

if(LORVANE_INSTALLED_PROGRAMS)
    install(TARGETS ${LORVANE_INSTALLED_PROGRAMS} RUNTIME DESTINATION ${LORVANE_INSTALL_PROGRAM_DIR})
endif()

# Every file of the bundled program folder, whatever its name ("@", "%", "!", Cyrillic).
install(DIRECTORY ${PROJECT_SOURCE_DIR}/bundle/ DESTINATION ${LORVANE_INSTALL_PROGRAM_DIR}
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
    DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                          WORLD_READ WORLD_EXECUTE)

# The commands: relative links, so the tree works under any prefix and inside a package root.
set(LORVANE_LINK_DIR ${CMAKE_CURRENT_BINARY_DIR}/packaging/bin)
file(MAKE_DIRECTORY ${LORVANE_LINK_DIR})
foreach(program ${LORVANE_INSTALLED_PROGRAMS})
    file(CREATE_LINK ../${LORVANE_INSTALL_PROGRAM_DIR}/${program} ${LORVANE_LINK_DIR}/${program}
         SYMBOLIC)
    install(FILES ${LORVANE_LINK_DIR}/${program} DESTINATION ${LORVANE_INSTALL_BIN_DIR})
endforeach()

# Man pages, one per installed program, with the version filled in and compressed as Debian
# keeps them.
set(LORVANE_VERSION ${PROJECT_VERSION})
set(LORVANE_MAN_DIR ${CMAKE_CURRENT_BINARY_DIR}/packaging/man)
find_program(LORVANE_GZIP gzip)
set(LORVANE_MAN_PAGES "")
foreach(program ${LORVANE_INSTALLED_PROGRAMS})
    set(page ${LORVANE_MAN_DIR}/${program}.1)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/man/${program}.1 ${page} @ONLY)
    if(LORVANE_GZIP)
        add_custom_command(OUTPUT ${page}.gz
            COMMAND ${LORVANE_GZIP} -9 -n -k -f ${page}
            DEPENDS ${page} ${PROJECT_SOURCE_DIR}/packaging/man/${program}.1
            COMMENT "Compressing the man page of ${program}")
        list(APPEND LORVANE_MAN_PAGES ${page}.gz)
    else()
        list(APPEND LORVANE_MAN_PAGES ${page})
    endif()
endforeach()
add_custom_target(lorvane_man_pages ALL DEPENDS ${LORVANE_MAN_PAGES})
install(FILES ${LORVANE_MAN_PAGES} DESTINATION share/man/man1)

# The desktop entry and the icons belong to the desktop program.
if(TARGET lorvane)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/lorvane.desktop DESTINATION share/applications)
    foreach(size 16 32 48 64 128 256)
        install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/${size}x${size}/lorvane.png
                DESTINATION share/icons/hicolor/${size}x${size}/apps)
    endforeach()
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/lorvane.svg
            DESTINATION share/icons/hicolor/scalable/apps)
endif()

install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION share/doc/lorvane)

include(${CMAKE_CURRENT_LIST_DIR}/Package.cmake)
