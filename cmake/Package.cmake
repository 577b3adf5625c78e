# Install rules and the Debian package (cpack -G DEB in the build folder).
# The program goes to bin, the files a new user's program folder starts with to
# share/domlar/Data (the program finds them from its own folder, so any prefix works).
include(GNUInstallDirs)

set(DOMLAR_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(DOMLAR_STAGE_DIR ${CMAKE_BINARY_DIR}/package)
set(DOMLAR_ICON_SIZES 16 22 24 32 48 64 128 256)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The delivered database, empty but for the agency row and the starter words.
set(delivered_db ${DOMLAR_STAGE_DIR}/Data/domlar.mde)
add_custom_command(OUTPUT ${delivered_db}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${delivered_db}
  COMMAND domlar-makedb ${delivered_db}
  DEPENDS domlar-makedb
  COMMENT "Making the delivered database")

# The compaction utility is a program, so it lives in libexec; Data holds a link to it.
file(MAKE_DIRECTORY ${DOMLAR_STAGE_DIR}/Data)
file(CREATE_LINK ../../../${CMAKE_INSTALL_LIBEXECDIR}/domlar/morvex.exe
  ${DOMLAR_STAGE_DIR}/Data/morvex.exe SYMBOLIC)

set(icons "")
foreach(size ${DOMLAR_ICON_SIZES})
  list(APPEND icons ${DOMLAR_STAGE_DIR}/icons/${size}.png)
endforeach()
add_custom_command(OUTPUT ${icons}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${DOMLAR_STAGE_DIR}/icons
  COMMAND domlar-icons ${DOMLAR_STAGE_DIR}/icons ${DOMLAR_ICON_SIZES}
  DEPENDS domlar-icons
  COMMENT "Rendering the menu icons")

# Manual pages and the changelog, compressed as Debian wants them.
set(compressed "")
foreach(file domlar.1 domlar-makedb.1 changelog)
  set(gz ${DOMLAR_STAGE_DIR}/${file}.gz)
  add_custom_command(OUTPUT ${gz}
    COMMAND gzip -9nc ${DOMLAR_PACKAGING_DIR}/${file} > ${gz}
    DEPENDS ${DOMLAR_PACKAGING_DIR}/${file})
  list(APPEND compressed ${gz})
endforeach()

add_custom_target(domlar_package_files ALL DEPENDS ${delivered_db} ${icons} ${compressed})

install(TARGETS domlar domlar-makedb RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS morvex RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/domlar)
install(DIRECTORY ${DOMLAR_STAGE_DIR}/Data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/domlar/Data)
install(FILES ${DOMLAR_PACKAGING_DIR}/domlar.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size ${DOMLAR_ICON_SIZES})
  install(FILES ${DOMLAR_STAGE_DIR}/icons/${size}.png RENAME domlar.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${DOMLAR_STAGE_DIR}/domlar.1.gz ${DOMLAR_STAGE_DIR}/domlar-makedb.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${DOMLAR_PACKAGING_DIR}/copyright ${DOMLAR_STAGE_DIR}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/domlar)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME domlar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Domlar packaging <domlar@example.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION database)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "database program for a small real estate agency")
set(CPACK_PACKAGE_DESCRIPTION
  "Domlar keeps the offers and demands of a real estate agency on cards, with
directories of addresses, clients and employees, currency rates, matching
search, reports and contracts made from templates, in an encrypted SQLCipher
database. Its interface is in Russian.")
# Computed from the linked libraries, plus what Qt loads at run time: its Russian
# translations, the window system plugins and the fonts the reports are laid out in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation2")
include(CPack)
