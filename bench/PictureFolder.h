// Where the benchmarks and the plain board read the picture files from: the build's bin
// folder, where the game finds them beside its executable.
#pragma once

#include <string>

namespace bench {

// The folder that holds the 101 picture files.
std::string PictureDir();
// "<PictureDir()>/<name>".
std::string PicturePath(const std::string& name);

}  // namespace bench
