# Unpacks the zip into a fresh folder, as a player would: cmake -DZIP=... -DDEST=... -P Unpack.cmake
if(NOT EXISTS "${ZIP}")
  message(FATAL_ERROR "No zip at ${ZIP}: build the windows_zip target")
endif()
file(REMOVE_RECURSE "${DEST}")
file(ARCHIVE_EXTRACT INPUT "${ZIP}" DESTINATION "${DEST}")
