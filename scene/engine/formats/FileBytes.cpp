#include "scene/engine/formats/FileBytes.h"

#include "scene/engine/FilePath.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace vtx {

std::vector<unsigned char> readWholeFile(const std::string& path) {
    std::ifstream file(nativeFilePath(path), std::ios::binary);
    if (!file) throw std::runtime_error("Cannot open file " + path);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
    if (file.bad()) throw std::runtime_error("Cannot open file " + path);
    return bytes;
}

} // namespace vtx
