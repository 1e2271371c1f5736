# Unpacks the zip into a fresh folder, as a player would, and checks that it holds one folder
# with the program in it: cmake -DZIP=... -DDEST=... -DFOLDER=... -P Unpack.cmake
if(NOT EXISTS "${ZIP}")
  message(FATAL_ERROR "No zip at ${ZIP}: build the windows_zip target")
endif()
file(REMOVE_RECURSE "${DEST}")
file(ARCHIVE_EXTRACT INPUT "${ZIP}" DESTINATION "${DEST}")
file(GLOB entries RELATIVE "${DEST}" "${DEST}/*")
if(NOT entries STREQUAL FOLDER OR NOT EXISTS "${DEST}/${FOLDER}/Ukisomi.exe")
  message(FATAL_ERROR "The zip does not hold one folder ${FOLDER} with Ukisomi.exe: ${entries}")
endif()
