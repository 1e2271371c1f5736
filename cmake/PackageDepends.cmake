# Read by cpack before it packs (CPACK_PROJECT_CONFIG_FILE): the package's Depends, the fonts
# named in cmake/Packaging.cmake and the packages of the shared libraries the game links, which
# dpkg-shlibdeps finds. cpack's own way to find them runs `file` once for each of the package's
# hundred-odd files to pick out the one binary, and took most of the packing time.
set(work ${CPACK_UKISOMI_SHLIBDEPS_DIR})
# dpkg-shlibdeps reads a source package's control file, which this build has none of.
file(MAKE_DIRECTORY ${work}/debian)
file(WRITE ${work}/debian/control "")
execute_process(COMMAND dpkg-shlibdeps -O ${CPACK_UKISOMI_BINARY}
  WORKING_DIRECTORY ${work}
  OUTPUT_VARIABLE found ERROR_VARIABLE errors RESULT_VARIABLE status
  OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT status EQUAL 0 OR NOT found MATCHES "^shlibs:Depends=([^\n]+)$")
  message(FATAL_ERROR "dpkg-shlibdeps found no libraries of ${CPACK_UKISOMI_BINARY}: ${errors}")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CPACK_DEBIAN_PACKAGE_DEPENDS}, ${CMAKE_MATCH_1}")
