# The Debian package a restaurant installs: `cpack -G DEB` in the build folder writes
# reservas-terminal_<version>_<architecture>.deb from the install rules' "terminal" and "deb"
# components (cmake/install.cmake), under /usr. The support tool, the tests and the benchmarks
# stay out.
set(RESERVAS_DEBIAN_DIR ${PROJECT_SOURCE_DIR}/deploy/debian)

# The package's history must name the version being packaged.
file(STRINGS ${RESERVAS_DEBIAN_DIR}/changelog latest_entry LIMIT_COUNT 1)
if(NOT latest_entry MATCHES "^reservas-terminal \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "deploy/debian/changelog must begin with version ${PROJECT_VERSION}")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME reservas-terminal)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT
    "Reservas terminal maintainers <maintainers@users.noreply.c-seed-7f7a6f31.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "table reservations terminal for restaurant touch screens")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${RESERVAS_DEBIAN_DIR}/description.txt)
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${PROJECT_BINARY_DIR};${PROJECT_NAME};terminal;/"
    "${PROJECT_BINARY_DIR};${PROJECT_NAME};deb;/")
# Installed as under /usr itself (into a staging folder given as DESTDIR), so that the session
# files name /usr/bin/reservas-terminal and the autostart entry lands in /etc.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_NAME reservas-terminal)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps finds the packages of the libraries the linker saw (Qt, libpq, expat, the C++
# runtime); the package's own libraries it finds in their private folder. The X display plugin
# (libqxcb.so) comes with libqt6gui6, which it finds. The linker does not see what Qt loads at
# run time: the SQLite driver (the default database) and the fonts the fonts file names. The
# PostgreSQL driver only serves terminals that share a server; without it such a terminal says
# so, and apt installs a recommended package unless told not to.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS usr/${RESERVAS_INSTALL_DIR})
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, fontconfig, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS libqt6sql6-psql)
# The autostart entry is a configuration file, so that an update keeps it turned off.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${RESERVAS_DEBIAN_DIR}/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
