#include "bench/PictureFolder.h"

namespace bench {

std::string PictureDir() { return UKISOMI_BENCH_PICTURE_DIR; }

std::string PicturePath(const std::string& name) { return PictureDir() + "/" + name; }

}  // namespace bench
