#include "unit/framework/AllocationProbe.h"

#include <atomic>
#include <cstdint>

#if defined(__SANITIZE_ADDRESS__)
#define FWTEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define FWTEST_ASAN 1
#endif
#endif

namespace fwtest {

namespace {

std::atomic<bool> watching{false};
std::atomic<std::size_t> largest{0};

[[maybe_unused]] void Note(std::size_t size) {
    if (!watching.load(std::memory_order_relaxed)) return;
    std::size_t seen = largest.load(std::memory_order_relaxed);
    while (size > seen && !largest.compare_exchange_weak(seen, size, std::memory_order_relaxed)) {
    }
}

}  // namespace

}  // namespace fwtest

#ifdef FWTEST_ASAN
// Under AddressSanitizer the allocator is the sanitizer's: it reports each block it hands out.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*)(const volatile void*,
                                                                  std::size_t),
                                                         void (*)(const volatile void*));
namespace fwtest {
namespace {
void OnMalloc(const volatile void*, std::size_t size) { Note(size); }
void OnFree(const volatile void*) {}
[[maybe_unused]] const bool hooksInstalled =
    __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree) != 0;
}  // namespace
}  // namespace fwtest
#elif defined(_WIN32)
#define FWTEST_UNWATCHED 1
#else
// Otherwise the requests are seen on their way to the C library's own allocator.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);

void* malloc(std::size_t size) noexcept {
    fwtest::Note(size);
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) noexcept {
    fwtest::Note(count != 0 && size > SIZE_MAX / count ? SIZE_MAX : count * size);
    return __libc_calloc(count, size);
}
void* realloc(void* block, std::size_t size) noexcept {
    fwtest::Note(size);
    return __libc_realloc(block, size);
}
}
#endif

namespace fwtest {

AllocationProbe::AllocationProbe() {
    largest.store(0);
    watching.store(true);
}

AllocationProbe::~AllocationProbe() { watching.store(false); }

std::size_t AllocationProbe::Largest() const { return largest.load(); }

bool AllocationProbe::Available() {
#ifdef FWTEST_UNWATCHED
    return false;
#else
    return true;
#endif
}

}  // namespace fwtest
