#pragma once

// The whole of a file, for the loaders that decode from bytes. The name may use backslashes as the
// game writes them ("DATA\terrain.bmp"); they count as directory separators.
// Throws std::runtime_error("Cannot open file " + path) (the name as given) when the file cannot be
// opened or reading it fails part-way.

#include <string>
#include <vector>

namespace vtx {

std::vector<unsigned char> readWholeFile(const std::string& path);

} // namespace vtx
