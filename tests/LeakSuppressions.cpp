// Under LeakSanitizer: the system's font library keeps blocks from loading its configuration
// that it never frees. They are not the program's leaks; everything else still counts.
#if defined(__SANITIZE_ADDRESS__)
#define UKISOMI_LSAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(leak_sanitizer)
#define UKISOMI_LSAN 1
#endif
#endif

#ifdef UKISOMI_LSAN
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif
