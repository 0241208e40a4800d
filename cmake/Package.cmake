# The Debian package, built with `cpack -G DEB` in the build folder from the install rules.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lorvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Lorvane")
set(CPACK_PACKAGE_CONTACT "Lorvane developers <lorvane@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Lorvane converts plain-text documents from one written notation into another by\n"
    "applying user-editable table files. Its chief use is Church Slavonic typed in a\n"
    "Latin-letter markup that has to become the character codes of a display font, with\n"
    "the font's face, character set and size carried into a plain-text, HTML, RTF or\n"
    "user-templated document. Tables, combined schemes, VBScript user scripts and output\n"
    "templates live in the program folder /usr/lib/lorvane.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "unzip, p7zip-full")

# The libraries the executables link come from dpkg-shlibdeps when it is there; otherwise the
# Debian 12 names are listed. The Qt platform plugins are loaded at run time, so no linker
# record names them: the desktop program depends on them explicitly.
find_program(LORVANE_DPKG_SHLIBDEPS dpkg-shlibdeps)
set(LORVANE_DEB_DEPENDS "")
if(LORVANE_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    list(APPEND LORVANE_DEB_DEPENDS libc6 libgcc-s1 libstdc++6 libicu72)
    if(TARGET lorvane)
        list(APPEND LORVANE_DEB_DEPENDS libqt6core6 libqt6gui6 libqt6widgets6)
    endif()
endif()
if(TARGET lorvane)
    list(APPEND LORVANE_DEB_DEPENDS qt6-qpa-plugins)
endif()
string(REPLACE ";" ", " CPACK_DEBIAN_PACKAGE_DEPENDS "${LORVANE_DEB_DEPENDS}")

include(CPack)
