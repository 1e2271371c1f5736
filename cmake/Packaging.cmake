# The Debian package, made by scripts/package with cpack: the install rules under /usr, the
# documents every Debian package carries, and the dependencies: the fonts the framework renders
# the design's faces with (framework/src/Font.cpp), and the packages of the shared libraries
# the binary links (cmake/PackageDepends.cmake).
set(UKISOMI_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(UKISOMI_DEB_CHANGELOG ${UKISOMI_PACKAGING_DIR}/changelog)
set(UKISOMI_MAN_PAGE ${UKISOMI_PACKAGING_DIR}/ukisomi.6.in)
ukisomi_require_files(${UKISOMI_PACKAGING_DIR}/copyright ${UKISOMI_DEB_CHANGELOG} ${UKISOMI_MAN_PAGE}
                      ${CMAKE_CURRENT_LIST_DIR}/PackageDepends.cmake)

# A release that forgets its changelog entry stops here rather than ship a stale one.
file(STRINGS ${UKISOMI_DEB_CHANGELOG} UKISOMI_DEB_LATEST LIMIT_COUNT 1)
if(NOT UKISOMI_DEB_LATEST MATCHES "^ukisomi \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "${UKISOMI_DEB_CHANGELOG} does not start with an entry for ${PROJECT_VERSION}")
endif()

# Compressed as Debian wants: the best compression, and no name or time in the header, so the
# same text gives the same bytes. A change to the text configures the tree again.
function(ukisomi_gzip source target)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  execute_process(COMMAND gzip -9nc ${source} OUTPUT_FILE ${target} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip could not compress ${source}")
  endif()
endfunction()
set(UKISOMI_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${UKISOMI_PACKAGING_OUT})
# A native package: the changelog is changelog.gz, not changelog.Debian.gz.
ukisomi_gzip(${UKISOMI_DEB_CHANGELOG} ${UKISOMI_PACKAGING_OUT}/changelog.gz)
configure_file(${UKISOMI_MAN_PAGE} ${UKISOMI_PACKAGING_OUT}/ukisomi.6 @ONLY)
ukisomi_gzip(${UKISOMI_PACKAGING_OUT}/ukisomi.6 ${UKISOMI_PACKAGING_OUT}/ukisomi.6.gz)

set(UKISOMI_DOC_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/doc/ukisomi)
install(FILES ${UKISOMI_PACKAGING_DIR}/copyright ${UKISOMI_PACKAGING_OUT}/changelog.gz
        DESTINATION ${UKISOMI_DOC_INSTALL_DIR})
install(FILES ${UKISOMI_PACKAGING_OUT}/ukisomi.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# Only a tree configured as scripts/package does it gets the cpack configuration: the data
# folder compiled into the program is the one under /usr, and a game's binary lies in
# /usr/games.
if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr" OR NOT CMAKE_INSTALL_BINDIR STREQUAL "games")
  return()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ukisomi)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "poem-card game (karuta) for one player")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [[
A classical poem in hiragana is revealed one character per second. Ten
cards lie on the board, and the player clicks the card that holds the
poem's lower phrase: a right card scores 20 minus the seconds taken, a
wrong one scores nothing. Ten rounds make a game, and the total earns a
title.]])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Ukisomi developers <ukisomi@example.org>")
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-mincho, fonts-ipafont-gothic, fonts-aoyagi-kouzan-t")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/PackageDepends.cmake)
set(CPACK_UKISOMI_BINARY ${UKISOMI_BIN_DIR}/ukisomi)
set(CPACK_UKISOMI_SHLIBDEPS_DIR ${UKISOMI_PACKAGING_OUT}/shlibdeps)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
