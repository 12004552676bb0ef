# Install layout and the Debian package. Only the program and its desktop
# integration are installed; the static libraries stay in the build tree.
include(GNUInstallDirs)

# Installing, and so packaging, needs the program alone; without this cpack
# would first build everything, the tests and the bench included. `make
# install` and `make package` build the program before they install it.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(TIVARO_RES ${CMAKE_CURRENT_LIST_DIR})
set(TIVARO_DOC ${CMAKE_INSTALL_DATADIR}/doc/tivaro)

install(TARGETS tivaro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${TIVARO_RES}/${TIVARO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TIVARO_RES}/${TIVARO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The lesson file's type. Debian's shared-mime-info and desktop-file-utils
# rebuild their caches by trigger when the package lands, so the package
# needs no script of its own.
install(FILES ${TIVARO_RES}/${TIVARO_APP_ID}.mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${TIVARO_APP_ID}.xml)

# Desktops look the icon up by the application id, so every size is renamed
# on the way in.
foreach(size 16 32 48 64 128 256)
    install(FILES ${TIVARO_RES}/icons/tivaro-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${TIVARO_APP_ID}.png)
endforeach()
install(FILES ${TIVARO_RES}/icons/tivaro.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${TIVARO_APP_ID}.svg)

# The manual page and the changelog go in as Debian wants them: compressed
# to the maximum, without name or time stamp, so that builds are identical.
function(tivaro_install_gzipped source destination name)
    set(packed ${CMAKE_BINARY_DIR}/packaging/${name}.gz)
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
    execute_process(COMMAND gzip -9nc ${source} OUTPUT_FILE ${packed} COMMAND_ERROR_IS_FATAL ANY)
    install(FILES ${packed} DESTINATION ${destination})
endfunction()
tivaro_install_gzipped(${TIVARO_RES}/tivaro.1 ${CMAKE_INSTALL_MANDIR}/man1 tivaro.1)
tivaro_install_gzipped(${TIVARO_RES}/changelog ${TIVARO_DOC} changelog)

# Debian wants the licence beside every package's documentation.
set(TIVARO_COPYRIGHT ${CMAKE_BINARY_DIR}/packaging/copyright)
file(WRITE ${TIVARO_COPYRIGHT}
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: tivaro

Files: *
Copyright: 2026 Tivaro developers
License: MIT
 Permission is hereby granted, free of charge, to any person obtaining a copy
 of this software and associated documentation files (the \"Software\"), to
 deal in the Software without restriction, including without limitation the
 rights to use, copy, modify, merge, publish, distribute, sublicense, and/or
 sell copies of the Software, and to permit persons to whom the Software is
 furnished to do so, subject to the following conditions:
 .
 The above copyright notice and this permission notice shall be included in
 all copies or substantial portions of the Software.
 .
 THE SOFTWARE IS PROVIDED \"AS IS\", WITHOUT WARRANTY OF ANY KIND, EXPRESS OR
 IMPLIED, INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF MERCHANTABILITY,
 FITNESS FOR A PARTICULAR PURPOSE AND NONINFRINGEMENT. IN NO EVENT SHALL THE
 AUTHORS OR COPYRIGHT HOLDERS BE LIABLE FOR ANY CLAIM, DAMAGES OR OTHER
 LIABILITY, WHETHER IN AN ACTION OF CONTRACT, TORT OR OTHERWISE, ARISING
 FROM, OUT OF OR IN CONNECTION WITH THE SOFTWARE OR THE USE OR OTHER DEALINGS
 IN THE SOFTWARE.
")
install(FILES ${TIVARO_COPYRIGHT} DESTINATION ${TIVARO_DOC})

# --- Debian package (cpack -G DEB) ---
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tivaro)
set(CPACK_PACKAGE_VENDOR "Tivaro developers")
set(CPACK_PACKAGE_CONTACT "Tivaro developers <developers@tivaro.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "train one artificial neuron with the perceptron rule")
# CPack puts the summary on the first line and indents this text below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Tivaro is a small teaching program that trains a single artificial neuron
on the truth table of AND, OR, NAND or XOR. Students watch inputs, weights
and output change, plot the error of every iteration and switch the
interface between German, English and Slovak.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tivaro developers <developers@tivaro.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# cpack asks dpkg for the build machine's architecture; a cross-built package
# must name the one its program runs on, which the toolchain's multiarch
# triplet (aarch64-linux-gnu for arm64) tells.
if(CMAKE_CROSSCOMPILING)
    find_program(TIVARO_DPKG_ARCHITECTURE dpkg-architecture REQUIRED)
    execute_process(COMMAND ${TIVARO_DPKG_ARCHITECTURE} -t ${CMAKE_LIBRARY_ARCHITECTURE} -qDEB_HOST_ARCH
                    OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE OUTPUT_STRIP_TRAILING_WHITESPACE
                    ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
endif()

# Qt loads its window-system plugin at run time, so no linker scan finds it;
# TIVARO_FONT_PACKAGES: the face every window is drawn in (ui_common/window_fonts.h);
# Qt's own dialogs in German and Slovak (ui_common/toolkit_language.h).
set(tivaro_runtime_deps qt6-qpa-plugins ${TIVARO_FONT_PACKAGES} qt6-translations-l10n)
find_program(TIVARO_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(TIVARO_DPKG_SHLIBDEPS)
    # Versioned dependencies taken from the libraries the binary really links.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    # Without dpkg-dev: the Debian 12 packages behind every NEEDED entry.
    list(PREPEND tivaro_runtime_deps
        libc6 libgcc-s1 libstdc++6 libjpeg62-turbo libgmp10
        libqt6core6 libqt6gui6 libqt6widgets6 libqt6charts6)
    if(NOT TIVARO_NATIVE_EXTENDED)
        list(PREPEND tivaro_runtime_deps libmpfr6) # the software extended type
    endif()
endif()
list(JOIN tivaro_runtime_deps ", " CPACK_DEBIAN_PACKAGE_DEPENDS)

include(CPack)
