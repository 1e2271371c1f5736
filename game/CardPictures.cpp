#include "game/CardPictures.h"

#include <string>

#include "fw/Array.h"

namespace game {

namespace {

// One member of the set: its own flag and cache, kept for the whole run. A load that gives
// nothing, or raises, leaves the cache empty, so the next call loads again.
std::shared_ptr<fw::Picture> Fetch(bool& initialised, std::shared_ptr<fw::Picture>& cache,
                                   const char* fileName) {
    if (!initialised) {
        initialised = true;
        cache.reset();
    }
    if (!cache) {
        auto names = fw::CreateArray<std::string>(0);
        (*names)(0) = fileName;
        cache = fw::Picture::OpenFilesFromApp(names);
    }
    return cache;
}

}  // namespace

#define UKISOMI_PICTURE_ACCESSOR(function, file)   \
    std::shared_ptr<fw::Picture> function() {      \
        static bool initialised = false;           \
        static std::shared_ptr<fw::Picture> cache; \
        return Fetch(initialised, cache, file);    \
    }
#define UKISOMI_CARD_ACCESSOR(n) UKISOMI_PICTURE_ACCESSOR(karuta##n, "karuta" #n ".png")
#include "game/CardNumbers.inc"
#undef UKISOMI_CARD_ACCESSOR

UKISOMI_PICTURE_ACCESSOR(Green, "Green.png")
#undef UKISOMI_PICTURE_ACCESSOR

}  // namespace game
