# Install rules and the Debian package: the executable, its pictures and sounds with the default
# score table, the launcher, the icons, the AppStream metadata and the manual page.
include(GNUInstallDirs)

# The project's web home and reverse-domain name; the defaults are placeholders (".example" is
# reserved) until the project has an address of its own, and packagers set theirs.
set(KELVO_HOMEPAGE "https://drkelvo.example" CACHE STRING "Web home of the game")
set(KELVO_APP_ID "example.drkelvo.kelvo" CACHE STRING "Reverse-domain name of the launcher and metadata")
set(KELVO_SCREENSHOTS "${KELVO_HOMEPAGE}/screenshots" CACHE STRING
    "Where the files of docs/screenshots/ are published")
set(KELVO_RELEASE_DATE "2025-06-01")

# The installed game finds its data folder from its own executable, so any prefix works.
file(RELATIVE_PATH KELVO_DATA_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/kelvo)
target_compile_definitions(kelvo_platform PRIVATE KELVO_DATA_FROM_BIN="${KELVO_DATA_FROM_BIN}")

add_executable(kelvo_install_files ${CMAKE_SOURCE_DIR}/tools/install/install_files.cpp
  ${CMAKE_SOURCE_DIR}/tools/score_table.cpp ${CMAKE_SOURCE_DIR}/runtime/display/window_icon.cpp
  ${CMAKE_SOURCE_DIR}/runtime/display/default_palette.cpp)
target_include_directories(kelvo_install_files PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(kelvo_install_files PRIVATE ${KELVO_WARNINGS})
target_link_libraries(kelvo_install_files PRIVATE PNG::PNG)
set(KELVO_INSTALL_FILES ${CMAKE_BINARY_DIR}/install_files)
add_custom_command(
  OUTPUT ${KELVO_INSTALL_FILES}/score.txt
  COMMAND kelvo_install_files ${KELVO_INSTALL_FILES}
  DEPENDS kelvo_install_files
  COMMENT "Generating the desktop icons and the default score table"
  VERBATIM)
add_custom_target(kelvo_install_file_set ALL DEPENDS ${KELVO_INSTALL_FILES}/score.txt)

configure_file(${CMAKE_CURRENT_LIST_DIR}/kelvo.desktop.in
               ${CMAKE_BINARY_DIR}/dist/${KELVO_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/kelvo.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/dist/${KELVO_APP_ID}.metainfo.xml @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/kelvo.6.in ${CMAKE_BINARY_DIR}/dist/kelvo.6 @ONLY)

install(TARGETS kelvo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The build folder's score.txt holds the scores of its own runs: the install gets the default.
install(DIRECTORY ${CMAKE_BINARY_DIR}/rurazedudi/ DESTINATION ${CMAKE_INSTALL_DATADIR}/kelvo/rurazedudi
        PATTERN score.txt EXCLUDE)
install(FILES ${KELVO_INSTALL_FILES}/score.txt DESTINATION ${CMAKE_INSTALL_DATADIR}/kelvo/rurazedudi)
install(DIRECTORY ${KELVO_INSTALL_FILES}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${CMAKE_BINARY_DIR}/dist/${KELVO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/dist/${KELVO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_BINARY_DIR}/dist/kelvo.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/README.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# cpack -G DEB: the dependencies are computed by dpkg-shlibdeps from the libraries linked, and
# SDL_mixer, which the game loads with dlopen, is named here.
set(CPACK_PACKAGE_NAME kelvo)
set(CPACK_PACKAGE_VENDOR "The Dr Kelvo developers")
set(CPACK_PACKAGE_CONTACT "The Dr Kelvo developers <kelvo@drkelvo.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade platform game: climb the girders, jump the barrels")
set(CPACK_PACKAGE_DESCRIPTION
    "A doctor climbs ten levels of sloping girders, jumps the barrels and bananas an ape throws at him, and rescues a captive at the top before the timer runs out.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KELVO_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libsdl-mixer1.2 (>= 1.2.12)")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
