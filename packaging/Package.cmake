# SPDX-License-Identifier: GPL-3.0-or-later
# `make package`: the files of `make install` under /usr as a Debian package,
# its dependencies found from the binary by dpkg-shlibdeps.

# The metadata, the manual page and the package's documentation, in the form Debian expects.
configure_file(${CMAKE_CURRENT_LIST_DIR}/io.github.kurvio.Kurvio.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/packaging/io.github.kurvio.Kurvio.metainfo.xml @ONLY)
# The manual page names the example lists that are shipped, one per window that keeps one.
file(GLOB KURVIO_EXAMPLE_FILES CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}/data
     ${PROJECT_SOURCE_DIR}/data/Bsp*.txt)
list(SORT KURVIO_EXAMPLE_FILES)
list(JOIN KURVIO_EXAMPLE_FILES ", " KURVIO_EXAMPLE_FILE_LIST)
configure_file(${CMAKE_CURRENT_LIST_DIR}/kurvio.1.in ${PROJECT_BINARY_DIR}/packaging/kurvio.1 @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.Debian
               ${PROJECT_BINARY_DIR}/packaging/changelog.Debian @ONLY)
find_program(GZIP gzip REQUIRED)
set(KURVIO_GZIPPED)
foreach(name kurvio.1 changelog.Debian)
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/packaging/${name}.gz
                     COMMAND ${GZIP} -9 -n -f -k ${PROJECT_BINARY_DIR}/packaging/${name}
                     DEPENDS ${PROJECT_BINARY_DIR}/packaging/${name})
  list(APPEND KURVIO_GZIPPED ${PROJECT_BINARY_DIR}/packaging/${name}.gz)
endforeach()
add_custom_target(kurvio_packaging_files ALL DEPENDS ${KURVIO_GZIPPED})

install(FILES ${PROJECT_BINARY_DIR}/packaging/io.github.kurvio.Kurvio.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_BINARY_DIR}/packaging/kurvio.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kurvio)
# A package without a Debian revision of its own keeps its changelog as changelog.gz.
install(FILES ${PROJECT_BINARY_DIR}/packaging/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kurvio RENAME changelog.gz)

# Only the optimised builds without sanitizers are hardened (CMakeLists.txt); the
# package test lints the hardening of those.
if(NOT KURVIO_HARDENED)
  message(STATUS "This build is not hardened: make the package from a Release or RelWithDebInfo build")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kurvio)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "Die Kurvio-Entwickler <kurvio@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculus in class: graphs, tangents, integrals, limits")
# The summary is the first line of the package's description, this the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Kurvio is a German-language program for teaching calculus at school.
Pupils type a function term, see its graph and move its parameters with
scroll bars or as an animation; windows animate the tangent problem, curve
discussion, the integral function, limits and continuity, covariation,
bisection, sequences and the unit circle. Graphs print to scale and are
saved as PNG, SVG, PDF or Windows metafile.

Kurvio ist ein Programm für den Analysisunterricht: Funktionsgraphen,
Tangentenproblem, Kurvendiskussion, Integralfunktion, Grenzwert und
Stetigkeit, Kovariation, Bisektion, Folgen und Einheitskreis, mit
Animationen und einem Präsentationsmodus für den Beamer.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The lesson files' type in share/mime/packages and the desktop entry that opens them
# are taken up by the triggers of shared-mime-info and desktop-file-utils, so the
# package has no maintainer scripts.
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/kurvio/kurvio")
# Qt finds its platform plugin and German translations in packages the library does not pull in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
