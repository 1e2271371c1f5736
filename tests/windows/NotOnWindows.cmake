# Unit tests left out of the Windows run, by name, each with the reason it cannot apply there.
# The rest, the game's rules included, run under Wine.
set(UKISOMI_NOT_ON_WINDOWS_LIST
  # Sees the allocations of Qt's decoder only where the test can stand in for malloc: Qt's DLLs
  # allocate from the C runtime DLL directly. The hostile pictures still give nothing there.
  PictureTest.AllocationProbeSeesADecodedPicture
  # Its plain std::threads end after touching Qt's regular-expression engine, whose per-thread
  # stack Qt frees at thread exit after MinGW's emulated thread-local storage is gone: a crash
  # in Qt, at the end of a thread the program never starts (it loads pictures on its GUI thread).
  PictureFaultTest.LoadsOnSeveralThreadsAtOnceLetOtherReportsThrough
  # Takes a file's read permission away: a Windows file has no such bit to take.
  PictureTest.UnreadableFileGivesNothing
  # Switches among the POSIX locales that scripts/setup compiles into LOCPATH for the Linux run
  # under a comma locale; Windows reads neither those names nor LOCPATH.
  TextTest.StrIsTheSameInEveryLocale
  # Reads the icon that the Linux program carries as Qt resources. On Windows the icon is the
  # program file's icon group, which a test program lacks; the Wine play test finds it on both
  # windows of Ukisomi.exe.
  WindowTest.WindowsCarryTheIconBuiltIntoTheProgram
)
# As a GoogleTest filter.
if(UKISOMI_NOT_ON_WINDOWS_LIST)
  list(JOIN UKISOMI_NOT_ON_WINDOWS_LIST ":" UKISOMI_NOT_ON_WINDOWS)
  set(UKISOMI_WINDOWS_TEST_FILTER "-${UKISOMI_NOT_ON_WINDOWS}")
else()
  set(UKISOMI_WINDOWS_TEST_FILTER "*")
endif()
