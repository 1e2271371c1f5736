# Unit tests left out of the Windows run, by name, each with the reason it cannot apply there.
# The rest, the game's rules included, run under Wine.
set(UKISOMI_NOT_ON_WINDOWS_LIST
  # Sees the allocations of Qt's decoder only where the test can stand in for malloc: Qt's DLLs
  # allocate from the C runtime DLL directly. The hostile pictures still give nothing there.
  PictureTest.AllocationProbeSeesADecodedPicture
)
# As a GoogleTest filter.
if(UKISOMI_NOT_ON_WINDOWS_LIST)
  list(JOIN UKISOMI_NOT_ON_WINDOWS_LIST ":" UKISOMI_NOT_ON_WINDOWS)
  set(UKISOMI_WINDOWS_TEST_FILTER "-${UKISOMI_NOT_ON_WINDOWS}")
else()
  set(UKISOMI_WINDOWS_TEST_FILTER "*")
endif()
