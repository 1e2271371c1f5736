# Strips every program and DLL under a folder: cmake -DSTRIP=... -DDIR=... -P StripBinaries.cmake
# The zip ships no debugging symbols; MinGW's runtime DLLs come with theirs.
file(GLOB_RECURSE binaries "${DIR}/*.exe" "${DIR}/*.dll")
foreach(binary ${binaries})
  execute_process(COMMAND "${STRIP}" --strip-all "${binary}" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${STRIP} could not strip ${binary}")
  endif()
endforeach()
