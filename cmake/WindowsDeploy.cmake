# What a Windows player unzips: Ukisomi.exe with its pictures, and beside it every DLL it needs
# that Windows lacks, laid out as Qt deploys: Qt's libraries as DLLs the user may swap, the
# platform plugin under platforms/, and the licence texts of what ships. Beside the zip, the
# source of that Qt, which its licence asks a distributor to hand on with it.

set(UKISOMI_ZIP_NAME Ukisomi-${PROJECT_VERSION}-win64)
set(UKISOMI_ZIP ${CMAKE_BINARY_DIR}/${UKISOMI_ZIP_NAME}.zip)
set(UKISOMI_STAGE ${CMAKE_BINARY_DIR}/stage)

foreach(lib Core Gui Widgets)
  install(FILES $<TARGET_FILE:Qt6::${lib}> DESTINATION .)
  list(APPEND UKISOMI_QT_MODULES "Qt ${lib}")
  list(APPEND UKISOMI_QT_DLLS $<TARGET_FILE_NAME:Qt6::${lib}>)
endforeach()
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)

# MinGW's C++ runtime, which the program and Qt's DLLs share. UKISOMI_WINDOWS_DLL_DIRS: where
# a program of the build tree finds its DLLs, for the tests.
set(UKISOMI_WINDOWS_DLL_DIRS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS})
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  get_filename_component(path "${path}" REALPATH)
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not find its runtime library ${dll}")
  endif()
  install(FILES ${path} DESTINATION .)
  get_filename_component(dir "${path}" DIRECTORY)
  list(APPEND UKISOMI_WINDOWS_DLL_DIRS ${dir})
endforeach()
list(REMOVE_DUPLICATES UKISOMI_WINDOWS_DLL_DIRS)

# Qt's own and its bundled libraries' texts are kept with the Qt build (scripts/qt-windows);
# MinGW's come from its Debian packages.
file(GLOB UKISOMI_QT_LICENCES ${QT6_INSTALL_PREFIX}/licenses/*)
if(NOT UKISOMI_QT_LICENCES)
  message(FATAL_ERROR "No licence texts under ${QT6_INSTALL_PREFIX}/licenses (scripts/qt-windows puts them there)")
endif()
set(UKISOMI_MINGW_COPYRIGHT /usr/share/doc/gcc-mingw-w64-base/copyright)
set(UKISOMI_WINPTHREADS_COPYRIGHT /usr/share/doc/mingw-w64-common/copyright)
ukisomi_require_files(${UKISOMI_MINGW_COPYRIGHT} ${UKISOMI_WINPTHREADS_COPYRIGHT})
install(FILES ${UKISOMI_QT_LICENCES} DESTINATION licenses)
install(FILES ${UKISOMI_MINGW_COPYRIGHT} DESTINATION licenses RENAME gcc-runtime.copyright)
install(FILES ${UKISOMI_WINPTHREADS_COPYRIGHT} DESTINATION licenses RENAME mingw-w64.copyright)

# Qt's source, as scripts/qt-windows fetched and built it, goes beside the zip; it made the archive
# once for its Qt folder, so a build only copies it.
set(UKISOMI_QT_SOURCE ${QT6_INSTALL_PREFIX}/source/qt6-base-source.tar.xz)
if(NOT EXISTS ${UKISOMI_QT_SOURCE})
  message(FATAL_ERROR "No source archive of Qt at ${UKISOMI_QT_SOURCE}: run scripts/qt-windows "
                      "again (a Qt folder of an older run lacks it; it is added in seconds)")
endif()
set(UKISOMI_QT_SOURCE_NAME ${UKISOMI_ZIP_NAME}-qt-source.tar.xz)
set(UKISOMI_QT_SOURCE_ARCHIVE ${CMAKE_BINARY_DIR}/${UKISOMI_QT_SOURCE_NAME})
add_custom_command(OUTPUT ${UKISOMI_QT_SOURCE_ARCHIVE}
  COMMAND ${CMAKE_COMMAND} -E copy ${UKISOMI_QT_SOURCE} ${UKISOMI_QT_SOURCE_ARCHIVE}
  DEPENDS ${UKISOMI_QT_SOURCE}
  COMMENT "Copying Qt's source archive beside the zip"
  VERBATIM)
add_custom_target(windows_qt_source ALL DEPENDS ${UKISOMI_QT_SOURCE_ARCHIVE})

# What the licence asks to be told: which Qt, under what terms, that its DLLs may be swapped, and
# where its source is.
list(JOIN UKISOMI_QT_MODULES ", " UKISOMI_QT_MODULES)
list(JOIN UKISOMI_QT_DLLS ", " UKISOMI_QT_DLLS)
set(UKISOMI_QT_PLUGINS "platforms/$<TARGET_FILE_NAME:Qt6::QWindowsIntegrationPlugin> and \
styles/$<TARGET_FILE_NAME:Qt6::QWindowsVistaStylePlugin>")
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/licenses/Qt-NOTICE.txt CONTENT
"Qt in Ukisomi ${PROJECT_VERSION} for Windows

Ukisomi.exe uses Qt ${Qt6Core_VERSION}, its modules ${UKISOMI_QT_MODULES}: the DLLs
${UKISOMI_QT_DLLS} beside it, with the plugins
${UKISOMI_QT_PLUGINS}.

Licence: Qt is used under the GNU Lesser General Public License, version 3 (LGPL-3.0-only.txt,
and GPL-3.0-only.txt, whose terms it adds to). The libraries built into Qt keep their own
licences, listed in qt6-base.copyright.

These DLLs may be replaced: Ukisomi.exe loads the Qt files beside it, so another build of
Qt ${Qt6Core_VERSION} (or of a later Qt 6) for 64-bit Windows, made with MinGW-w64 like this one,
can take their place.

Source: the corresponding source of this Qt is in
${UKISOMI_QT_SOURCE_NAME}, handed on with this zip:
Debian's source package qt6-base as the build fetched it, the options given to Qt's configure
and the toolchain file, and a README saying how they were used.
")
install(FILES ${CMAKE_BINARY_DIR}/licenses/Qt-NOTICE.txt DESTINATION licenses)

# The zip is made from the install rules, so that it holds exactly what they lay out.
add_custom_target(windows_zip ALL
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${UKISOMI_STAGE} ${UKISOMI_ZIP}
  COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${UKISOMI_STAGE}/${UKISOMI_ZIP_NAME}
  COMMAND ${CMAKE_COMMAND} -DSTRIP=${CMAKE_STRIP} -DDIR=${UKISOMI_STAGE}
          -P ${CMAKE_CURRENT_LIST_DIR}/StripBinaries.cmake
  COMMAND ${CMAKE_COMMAND} -E chdir ${UKISOMI_STAGE}
          ${CMAKE_COMMAND} -E tar cf ${UKISOMI_ZIP} --format=zip ${UKISOMI_ZIP_NAME}
  COMMENT "Packing ${UKISOMI_ZIP_NAME}.zip"
  VERBATIM)
add_dependencies(windows_zip ukisomi card_pictures)
