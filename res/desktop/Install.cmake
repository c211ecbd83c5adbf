# Installation as a desktop application (the program, its desktop entry, icons, help page,
# sample fragments and AppStream data) and the Debian package built from it by CPack.
# The layout under the prefix is fixed: the program finds its help page at ../share/sitequill
# and the desktop launcher finds the program and the samples from libexec/sitequill.

set(SITEQUILL_APPSTREAM_ID "org.example.sitequill")
set(desktop_dir ${CMAKE_CURRENT_LIST_DIR})

install(TARGETS sitequill RUNTIME DESTINATION bin)
install(PROGRAMS ${desktop_dir}/sitequill-desktop DESTINATION libexec/sitequill)
install(FILES ${PROJECT_SOURCE_DIR}/res/help/index.html DESTINATION share/sitequill/help)
install(FILES ${PROJECT_SOURCE_DIR}/res/samples/Header.htm ${PROJECT_SOURCE_DIR}/res/samples/Footer.htm
        DESTINATION share/sitequill/samples)
foreach(size 16 32 48 128)
  install(FILES ${PROJECT_SOURCE_DIR}/res/icons/sitequill-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME sitequill.png)
endforeach()
configure_file(${desktop_dir}/org.example.sitequill.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/${SITEQUILL_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/${SITEQUILL_APPSTREAM_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION share/doc/sitequill RENAME copyright)

# The desktop entry names its launcher by absolute path, so it is written when the prefix is
# known: at install time (`cmake --install --prefix`, or CPack's /usr).
install(CODE [[
  get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
  set(SITEQUILL_DESKTOP_EXEC "${prefix}/libexec/sitequill/sitequill-desktop")
  if(SITEQUILL_DESKTOP_EXEC MATCHES "[\"`$\\]")
    message(FATAL_ERROR "The desktop entry cannot name a launcher at ${SITEQUILL_DESKTOP_EXEC}")
  elseif(NOT SITEQUILL_DESKTOP_EXEC MATCHES "^[A-Za-z0-9/._+-]+$")
    set(SITEQUILL_DESKTOP_EXEC "\"${SITEQUILL_DESKTOP_EXEC}\"")
  endif()
]])
install(CODE "
  configure_file(\"${desktop_dir}/sitequill.desktop.in\" \"${PROJECT_BINARY_DIR}/sitequill.desktop\" @ONLY)
  file(INSTALL \"${PROJECT_BINARY_DIR}/sitequill.desktop\" DESTINATION \"\${CMAKE_INSTALL_PREFIX}/share/applications\")
")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sitequill)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Sitequill developers")
set(CPACK_PACKAGE_CONTACT "Sitequill developers <maintainers@${SITEQUILL_SITE}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://${SITEQUILL_SITE}/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Sitequill keeps a catalogue of page tests. Each names a web page by its URL and
lists texts that must appear on the page and texts that must not. It checks one
test or all of them and writes time-stamped results to a log and an HTML report.")
# Library dependencies (wxWidgets, libcurl, the C++ runtime) come from dpkg-shlibdeps;
# xdg-open opens the report and the help page.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-user-dirs")
include(CPack)
