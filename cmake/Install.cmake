# What `cmake --install` puts under the prefix: the two programs, the desktop
# entry, the icon (SVG and PNGs drawn from it at build time), the AppStream
# metainfo, the man pages and the package's documents. The pictures the
# screens show are compiled into the programs.
include(GNUInstallDirs)

set(SNA_APP_ID org.vantoremis.sna)
set(SNA_ICON_SIZES 48 64 128 256)
set(SNA_MAINTAINER "SNA maintainers <sna@vantoremis.org>")
set(gen ${PROJECT_BINARY_DIR}/install-files)

install(TARGETS sna sna-admin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${PROJECT_SOURCE_DIR}/resources/${SNA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The icon: the SVG as drawn, and the theme's pixel sizes rendered from it.
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/sna.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
set(icon_pngs)
foreach(size ${SNA_ICON_SIZES})
  list(APPEND icon_pngs ${gen}/icons/${size}x${size}.png)
endforeach()
add_custom_command(OUTPUT ${icon_pngs}
  COMMAND sna-icon-png ${PROJECT_SOURCE_DIR}/resources/icons/sna.svg ${gen}/icons ${SNA_ICON_SIZES}
  DEPENDS sna-icon-png ${PROJECT_SOURCE_DIR}/resources/icons/sna.svg
  COMMENT "Drawing the icon at ${SNA_ICON_SIZES} pixels")
add_custom_target(sna_icons ALL DEPENDS ${icon_pngs})
foreach(size ${SNA_ICON_SIZES})
  install(FILES ${gen}/icons/${size}x${size}.png RENAME sna.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

configure_file(${PROJECT_SOURCE_DIR}/resources/${SNA_APP_ID}.metainfo.xml.in
               ${gen}/${SNA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${gen}/${SNA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Man pages and the changelog, compressed as Debian wants them.
set(compressed)
foreach(page sna sna-admin)
  configure_file(${PROJECT_SOURCE_DIR}/resources/man/${page}.1.in ${gen}/man/${page}.1 @ONLY)
  list(APPEND compressed ${gen}/man/${page}.1)
  install(FILES ${gen}/man/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/resources/debian/changelog.in ${gen}/doc/changelog @ONLY)
list(APPEND compressed ${gen}/doc/changelog)
set(gz_files)
foreach(file ${compressed})
  add_custom_command(OUTPUT ${file}.gz
    COMMAND gzip -9nkf ${file}
    DEPENDS ${file})
  list(APPEND gz_files ${file}.gz)
endforeach()
add_custom_target(sna_docs ALL DEPENDS ${gz_files})
install(FILES ${gen}/doc/changelog.gz ${PROJECT_SOURCE_DIR}/resources/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
